// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG decoding (libjpeg, full scale, accurate integer IDCT, no block smoothing;
// greyscale and CMYK/YCCK arrive as RGB) and the baseline encoder of the
// saved boards' preview. Every failure is a dorvane::Error naming its source.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gallery/bitmap.h"

namespace dorvane {

// `what` names the data in error messages (a file path or a resource name).
Bitmap DecodeJpeg(std::span<const std::uint8_t> bytes, const std::string& what);
// The same into an existing bitmap, reusing its pixels when the size matches.
// After a failure the target's contents are unspecified.
void DecodeJpegInto(std::span<const std::uint8_t> bytes, const std::string& what, Bitmap& target);

// The RCDATA resource `name` (any letter case) decoded into target.
void LoadPictureFromResource(Bitmap& target, std::string_view name);
// A JPEG file decoded into target.
void LoadPictureFromFile(Bitmap& target, const std::filesystem::path& path);

// Baseline JPEG, libjpeg's defaults otherwise.
std::vector<std::uint8_t> EncodeJpeg(const Bitmap& picture, int quality = 95);

}  // namespace dorvane
