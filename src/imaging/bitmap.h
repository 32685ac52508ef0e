// SPDX-License-Identifier: GPL-3.0-or-later
// A 24-bit colour picture: three bytes a pixel in the order red, green, blue,
// rows from top to bottom, each row padded to a multiple of four bytes (so a row
// is also a valid QImage::Format_RGB888 scan line and a BMP row).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dorvane::imaging {

class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width,
           int height);  // black; throws dorvane::base::Error on a negative or absurd size

    int width() const { return width_; }
    int height() const { return height_; }
    std::size_t stride() const { return stride_; }
    bool empty() const { return width_ == 0 || height_ == 0; }

    // Resizes to width × height; the contents become black.
    void resize(int width, int height);

    std::uint8_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * stride_; }
    const std::uint8_t* row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * stride_;
    }
    std::uint8_t* data() { return pixels_.data(); }
    const std::uint8_t* data() const { return pixels_.data(); }
    std::size_t byteCount() const { return pixels_.size(); }

    // 0x00BBGGRR, red in the low byte.
    std::uint32_t pixel(int x, int y) const;
    void setPixel(int x, int y, std::uint32_t color);
    void fill(std::uint32_t color);

    // Same size and same pixels (the row padding is not compared).
    friend bool operator==(const Bitmap& a, const Bitmap& b);

    static std::size_t StrideFor(int width) {
        return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::size_t stride_ = 0;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace dorvane::imaging
