// SPDX-License-Identifier: GPL-3.0-or-later
// Our 24-bit pictures packed into the X server's pixel layout (ZPixmap images).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/bitmap.h"

namespace dorvane::platform::wallpaper::x11 {

// What the server's setup says about pixmaps of the root window's depth.
struct PixelFormat {
    int bitsPerPixel = 32;  // 16, 24 or 32
    int scanlinePad = 32;   // bits
    bool msbFirst = false;  // the server's image byte order
    std::uint32_t redMask = 0xff0000;
    std::uint32_t greenMask = 0x00ff00;
    std::uint32_t blueMask = 0x0000ff;
};

// Whether PackRows can write this layout (true colour with contiguous masks).
bool IsSupported(const PixelFormat& format);

// Bytes of one packed row of `width` pixels, padding included.
std::size_t PackedRowBytes(int width, const PixelFormat& format);

// Rows [firstRow, firstRow + rowCount) of the picture, packed; `out` is resized.
void PackRows(const imaging::Bitmap& picture, int firstRow, int rowCount, const PixelFormat& format,
              std::vector<std::uint8_t>& out);

// The same into rowCount · PackedRowBytes bytes at `out` (padding included).
void PackRowsInto(const imaging::Bitmap& picture, int firstRow, int rowCount,
                  const PixelFormat& format, std::uint8_t* out);

}  // namespace dorvane::platform::wallpaper::x11
