// SPDX-License-Identifier: GPL-3.0-or-later
// How a file's path is written for the desktops' settings: as a file URI, and as
// a string in GVariant text (what gsettings reads and prints).
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace dorvane::platform::wallpaper {

// "file:///home/ann/My%20walls/b%C3%BCro.bmp": every byte outside the unreserved
// set is percent-encoded, so '#', '%', '?', spaces and non-ASCII survive.
QString FileUri(const QString& absPath);

// A GVariant string literal: single quotes; quote and backslash escaped, control
// characters as \uXXXX.
QString GVariantString(const QString& value);

// The string that a GVariant literal (as gsettings prints it, in either quote)
// stands for; nothing when the text is not exactly one string literal.
std::optional<QString> ParseGVariantString(const QByteArray& text);

}  // namespace dorvane::platform::wallpaper
