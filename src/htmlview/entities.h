// SPDX-License-Identifier: GPL-3.0-or-later
// Character references: named ones (&nbsp; &laquo; &raquo; &copy; and the usual few
// more) and numeric ones (&#187; &#xBB;). Unknown references stay as written.
#pragma once

#include <QString>

namespace dorvane::htmlview {

// Replaces every character reference in text.
QString ResolveEntities(const QString& text);

}  // namespace dorvane::htmlview
