// SPDX-License-Identifier: GPL-3.0-or-later
// Rows of 24-bit pixels with their channels reordered, as the picture files and
// the X server want them: red-green-blue to blue-green-red (and back, the same
// swap), and to blue-green-red-unused in four bytes.
#pragma once

#include <cstdint>

namespace dorvane::imaging {

// to[3x + c] = from[3x + 2 − c] for x < width. `to` may be `from` (the row is
// turned where it lies); other overlaps are not allowed.
void SwapRedBlue(const std::uint8_t* from, std::uint8_t* to, int width);

// to[4x …] = blue, green, red, 0 of pixel x of `from`. They must not overlap.
void RgbToBgrx(const std::uint8_t* from, std::uint8_t* to, int width);

namespace detail {
// The plain loops, which the faster ones must match byte for byte.
void SwapRedBluePlain(const std::uint8_t* from, std::uint8_t* to, int width);
void RgbToBgrxPlain(const std::uint8_t* from, std::uint8_t* to, int width);
}  // namespace detail

}  // namespace dorvane::imaging
