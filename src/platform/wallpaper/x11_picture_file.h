// SPDX-License-Identifier: GPL-3.0-or-later
// The picture file that the root window is to show, read into a Bitmap.
#pragma once

#include <filesystem>
#include <optional>

#include "imaging/bitmap.h"

namespace dorvane::platform::wallpaper::x11 {

// An uncompressed 24-bit BMP (what the program writes), read straight into the
// picture's rows; nullopt for any other kind of file, which the caller then
// reads some other way. Throws dorvane::base::Error for a file that says it is such
// a BMP but is cut short, or is larger than maxPixels.
std::optional<imaging::Bitmap> ReadPlainBmp(const std::filesystem::path& path, long long maxPixels);

}  // namespace dorvane::platform::wallpaper::x11
