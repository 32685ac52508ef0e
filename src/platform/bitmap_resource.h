// SPDX-License-Identifier: GPL-3.0-or-later
// Bitmap resources (skin, button faces, pressed faces) as images.
#pragma once

#include <QImage>
#include <string_view>

namespace dorvane::platform {

// The "BITMAP" resource `name` (any letter case); throws dorvane::base::Error when it
// is missing or cannot be decoded.
QImage BitmapResource(std::string_view name);

// The twin of a bitmap drawn at twice the resolution, the resource "NAME@2x", with
// a device pixel ratio of 2 (so it lays out at the 1x size); a null image when
// there is none.
QImage BitmapResource2x(std::string_view name);

// What to show at a device pixel ratio: the @2x twin above 1 when there is one,
// otherwise the 1x bitmap.
QImage BitmapResourceFor(std::string_view name, double devicePixelRatio);

}  // namespace dorvane::platform
