// SPDX-License-Identifier: GPL-3.0-or-later
// Thumbnails: a picture fitted into 95×71 (FitSize), resampled (ScaleBitmap) and
// centred on white. User files are decoded with libjpeg's DCT scaling to the
// smallest size that still holds twice the thumbnail, which makes a 12-megapixel
// file cost a fraction of a full decode; whether a file is accepted is decided on
// its full size, exactly as a full decode would.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "imaging/bitmap.h"

namespace dorvane::gallery {

// The 95×71 thumbnail of a decoded picture. Throws dorvane::base::Error when the fitted
// size has fewer than two rows (an extreme aspect ratio).
imaging::Bitmap MakeThumbnail(const imaging::Bitmap& picture);

// The thumbnail of a user's JPEG data, decoded reduced and turned upright as its
// EXIF orientation says; `what` names it in errors.
imaging::Bitmap ThumbnailFromJpeg(std::span<const std::uint8_t> bytes, const std::string& what);

// The thumbnail of a JPEG file; throws dorvane::base::Error for a missing, empty,
// corrupt or absurdly large file.
imaging::Bitmap ThumbnailFromFile(const std::filesystem::path& path);

// The DCT scale (1, 2, 4 or 8 as a denominator) that keeps at least twice the
// fitted thumbnail size; 1 (full scale) for small pictures.
int ThumbnailScaleDenominator(int fullWidth, int fullHeight);

}  // namespace dorvane::gallery
