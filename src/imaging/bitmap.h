// SPDX-License-Identifier: GPL-3.0-or-later
// A 24-bit colour picture: three bytes a pixel in the order red, green, blue,
// rows from top to bottom, each row padded to a multiple of four bytes (so a row
// is also a valid QImage::Format_RGB888 scan line and a BMP row).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

namespace dorvane::imaging {

namespace detail {
// Pixel memory that comes zeroed from the system (calloc): a large black picture
// costs no time until its rows are written, and pages never written are never
// touched. Value-initialising an element leaves calloc's zero; every element
// stands in memory from allocate(), so none can hold an earlier value.
template <typename T>
struct ZeroedAllocator {
    using value_type = T;
    ZeroedAllocator() = default;
    template <typename U>
    explicit ZeroedAllocator(const ZeroedAllocator<U>&) {}
    T* allocate(std::size_t n) {
        void* p = std::calloc(n, sizeof(T));
        if (p == nullptr) throw std::bad_alloc();
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t) { std::free(p); }
    template <typename U>
    void construct(U*) noexcept {}
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    friend bool operator==(const ZeroedAllocator&, const ZeroedAllocator&) { return true; }
};
}  // namespace detail

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
    std::vector<std::uint8_t, detail::ZeroedAllocator<std::uint8_t>> pixels_;
};

}  // namespace dorvane::imaging
