// SPDX-License-Identifier: GPL-3.0-or-later
// The HTML view as a screen reader meets it: a read-only document named by its
// title whose text can be read line by line (the text interface), with its links
// as children that carry their words (image links their pictures' alt texts) and
// can be pressed, then the form controls and scroll bar that show.
#pragma once

#include <QAccessibleInterface>

namespace dorvane::htmlview {

class HtmlView;

// For QAccessible::installFactory (or a factory that asks it first): the
// interface of an HtmlView, null for anything else.
QAccessibleInterface* HtmlViewAccessibleFactory(const QString& className, QObject* object);

// Tells assistive technology that a link of the view has the keyboard focus.
void NotifyLinkFocus(HtmlView& view, int link);

// Tells assistive technology that the view's name (its document's title) may have
// changed with the document.
void NotifyDocumentName(HtmlView& view);

}  // namespace dorvane::htmlview
