// SPDX-License-Identifier: GPL-3.0-or-later
// Packing 8-bit red, green and blue into the server's masks and byte order.
#include "platform/wallpaper/x11_pixels.h"

#include <bit>
#include <cstring>

#include "imaging/channel_order.h"

namespace dorvane::platform::wallpaper::x11 {
namespace {

bool Contiguous(std::uint32_t mask) {
    return mask != 0 && std::has_single_bit((mask >> std::countr_zero(mask)) + 1);
}

// An 8-bit channel value placed into a mask of any width (the top bits kept).
struct Channel {
    explicit Channel(std::uint32_t mask)
        : shift(std::countr_zero(mask)), width(std::popcount(mask)) {}
    std::uint32_t place(std::uint8_t value) const {
        const std::uint32_t v =
            width >= 8 ? std::uint32_t{value} << (width - 8) : std::uint32_t{value} >> (8 - width);
        return v << shift;
    }
    int shift;
    int width;
};

bool IsCommonBgrx(const PixelFormat& f) {
    return f.bitsPerPixel == 32 && !f.msbFirst && f.redMask == 0xff0000 &&
           f.greenMask == 0x00ff00 && f.blueMask == 0x0000ff;
}

// The usual layout: blue, green, red, unused in every four bytes.
void PackBgrxRow(const std::uint8_t* rgb, int width, std::uint8_t* out) {
    imaging::RgbToBgrx(rgb, out, width);
}

void PackAnyRow(const std::uint8_t* rgb, int width, const PixelFormat& f, std::uint8_t* out) {
    const Channel red(f.redMask), green(f.greenMask), blue(f.blueMask);
    const int bytes = f.bitsPerPixel / 8;
    for (int x = 0; x < width; ++x, rgb += 3, out += bytes) {
        const std::uint32_t pixel = red.place(rgb[0]) | green.place(rgb[1]) | blue.place(rgb[2]);
        for (int b = 0; b < bytes; ++b) {
            const int byteIndex = f.msbFirst ? bytes - 1 - b : b;
            out[byteIndex] = static_cast<std::uint8_t>(pixel >> (8 * b));
        }
    }
}

}  // namespace

bool IsSupported(const PixelFormat& f) {
    const bool sizeOk = f.bitsPerPixel == 16 || f.bitsPerPixel == 24 || f.bitsPerPixel == 32;
    const bool padOk = f.scanlinePad == 8 || f.scanlinePad == 16 || f.scanlinePad == 32;
    return sizeOk && padOk && Contiguous(f.redMask) && Contiguous(f.greenMask) &&
           Contiguous(f.blueMask) &&
           ((f.redMask | f.greenMask | f.blueMask) >> 1 >> (f.bitsPerPixel - 1)) == 0;
}

std::size_t PackedRowBytes(int width, const PixelFormat& f) {
    const std::size_t bits =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(f.bitsPerPixel);
    const std::size_t pad = static_cast<std::size_t>(f.scanlinePad);
    return (bits + pad - 1) / pad * pad / 8;
}

void PackRows(const imaging::Bitmap& picture, int firstRow, int rowCount, const PixelFormat& f,
              std::vector<std::uint8_t>& out) {
    out.resize(PackedRowBytes(picture.width(), f) * static_cast<std::size_t>(rowCount));
    PackRowsInto(picture, firstRow, rowCount, f, out.data());
}

void PackRowsInto(const imaging::Bitmap& picture, int firstRow, int rowCount, const PixelFormat& f,
                  std::uint8_t* out) {
    const std::size_t rowBytes = PackedRowBytes(picture.width(), f);
    const std::size_t used =
        static_cast<std::size_t>(picture.width()) * static_cast<std::size_t>(f.bitsPerPixel / 8);
    for (int r = 0; r < rowCount; ++r) {
        std::uint8_t* dest = out + rowBytes * static_cast<std::size_t>(r);
        if (IsCommonBgrx(f))
            PackBgrxRow(picture.row(firstRow + r), picture.width(), dest);
        else
            PackAnyRow(picture.row(firstRow + r), picture.width(), f, dest);
        std::memset(dest + used, 0, rowBytes - used);  // the row's padding
    }
}

}  // namespace dorvane::platform::wallpaper::x11
