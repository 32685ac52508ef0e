// SPDX-License-Identifier: GPL-3.0-or-later
// The EXIF orientation of a JPEG (how a camera says the picture must be turned to
// be seen upright) and the turning itself. A phone held upright stores its photo
// lying on its side with orientation 6.
#pragma once

#include <cstdint>
#include <span>

#include "imaging/bitmap.h"

namespace dorvane::imaging {

// 1 to 8 as EXIF numbers them (1: as stored, 3: turned half round, 6: turn a
// quarter clockwise, 8: a quarter anticlockwise, 2, 4, 5, 7 the same mirrored).
// 1 when the file says nothing or anything malformed. Reads only the segments
// before the image data, each within its stated length, and at most one
// directory of entries, so any input is read in time linear in its size.
int ReadExifOrientation(std::span<const std::uint8_t> jpeg);

// True for the orientations that swap width and height (5 to 8).
inline bool SwapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

// The picture turned and mirrored as `orientation` asks, so that it is upright.
// Orientation 1 or an unknown value gives the picture unchanged.
Bitmap Oriented(const Bitmap& picture, int orientation);

}  // namespace dorvane::imaging
