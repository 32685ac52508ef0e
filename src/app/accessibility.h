// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology sees of the drawn window: the image buttons as push
// buttons named by their captions, the picture grid as a list of pictures named
// as in the catalogue, the preview named, the page texts with their links (see
// htmlview/html_view_accessible.h), and the skin left out as decoration. Also the
// keyboard side of the image buttons: Tab reaches them, Space and Enter press them.
#pragma once

#include <QString>
#include <string_view>

namespace dorvane::app {

class ImageControl;

// Installs the interfaces above into Qt's accessibility (once per process).
void InstallAccessibility();

// The caption of a chrome button ("imgButton1" -> "Introduction"), empty for none.
QString ButtonCaption(std::string_view control);

// Lets the keyboard reach and press an image button, and names it.
void MakeKeyboardButton(ImageControl& button, const QString& caption);

}  // namespace dorvane::app
