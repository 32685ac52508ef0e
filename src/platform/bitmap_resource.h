// SPDX-License-Identifier: GPL-3.0-or-later
// Bitmap resources (skin, button faces, pressed faces) as images.
#pragma once

#include <QImage>
#include <string_view>

namespace dorvane::platform {

// The "BITMAP" resource `name` (any letter case); throws dorvane::Error when it
// is missing or cannot be decoded.
QImage BitmapResource(std::string_view name);

}  // namespace dorvane::platform
