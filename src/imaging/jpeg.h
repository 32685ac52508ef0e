// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG decoding (libjpeg, full scale, accurate integer IDCT, no block smoothing;
// greyscale and CMYK/YCCK arrive as RGB) and the baseline encoder of the
// saved boards' preview. Every failure is a dorvane::base::Error naming its source.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "imaging/bitmap.h"
#include "imaging/fit.h"

namespace dorvane::imaging {

// `what` names the data in error messages (a file path or a resource name).
Bitmap DecodeJpeg(std::span<const std::uint8_t> bytes, const std::string& what);
// The same into an existing bitmap, reusing its pixels when the size matches.
// After a failure the target's contents are unspecified.
void DecodeJpegInto(std::span<const std::uint8_t> bytes, const std::string& what, Bitmap& target);
// The size the header claims, read without decoding any pixels.
Size ReadJpegSize(std::span<const std::uint8_t> bytes, const std::string& what);

// Decodes with libjpeg's DCT scaling at 1/denominator(full size) (1, 2, 4 or 8)
// and returns the full size read from the header.
Size DecodeJpegReduced(std::span<const std::uint8_t> bytes, const std::string& what,
                       const std::function<int(Size)>& denominator, Bitmap& target);

// The whole of a file; throws dorvane::base::Error naming it when it cannot be read.
std::vector<std::uint8_t> ReadPictureFile(const std::filesystem::path& path);

// A JPEG file decoded into target.
void LoadPictureFromFile(Bitmap& target, const std::filesystem::path& path);

// Baseline JPEG, libjpeg's defaults otherwise.
std::vector<std::uint8_t> EncodeJpeg(const Bitmap& picture, int quality = 95);

}  // namespace dorvane::imaging
