// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/bitmap.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/error.h"

namespace dorvane::imaging {
namespace {
// 2^28 pixels (about 268 megapixels, 805 MB at 24 bits) admits every real camera
// photograph and keeps a lying size field from exhausting memory.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;
}  // namespace

Bitmap::Bitmap(int width, int height) {
    resize(width, height);
}

void Bitmap::resize(int width, int height) {
    if (width < 0 || height < 0 || std::int64_t{width} * height > kMaxPixels)
        throw base::Error("Picture size " + std::to_string(width) + "x" + std::to_string(height) +
                          " is not supported");
    width_ = width;
    height_ = height;
    stride_ = StrideFor(width);
    const std::size_t bytes = stride_ * static_cast<std::size_t>(height);
    // The same size again reuses the memory; any other takes fresh zeroed memory
    // (never vector::resize, which would keep old bytes within its capacity).
    if (bytes == pixels_.size())
        std::fill(pixels_.begin(), pixels_.end(), std::uint8_t{0});
    else
        pixels_ = decltype(pixels_)(bytes);
}

std::uint32_t Bitmap::pixel(int x, int y) const {
    const std::uint8_t* p = row(y) + 3 * x;
    return p[0] | (p[1] << 8) | (std::uint32_t{p[2]} << 16);
}

void Bitmap::setPixel(int x, int y, std::uint32_t color) {
    std::uint8_t* p = row(y) + 3 * x;
    p[0] = color & 0xFF;
    p[1] = (color >> 8) & 0xFF;
    p[2] = (color >> 16) & 0xFF;
}

void Bitmap::fill(std::uint32_t color) {
    if (empty()) return;
    for (int x = 0; x < width_; ++x) setPixel(x, 0, color);
    for (int y = 1; y < height_; ++y) std::memcpy(row(y), row(0), stride_);
}

bool operator==(const Bitmap& a, const Bitmap& b) {
    if (a.width_ != b.width_ || a.height_ != b.height_) return false;
    const std::size_t bytes = static_cast<std::size_t>(a.width_) * 3;
    for (int y = 0; y < a.height_; ++y)
        if (std::memcmp(a.row(y), b.row(y), bytes) != 0) return false;
    return true;
}

}  // namespace dorvane::imaging
