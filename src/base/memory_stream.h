// SPDX-License-Identifier: GPL-3.0-or-later
// A growable in-memory byte stream with a position, as the codecs use it:
// reads go from the position onwards, writes go at the position.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace dorvane::base {

class MemoryStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    explicit MemoryStream(std::string_view text) : bytes_(text.begin(), text.end()) {}

    std::size_t size() const { return bytes_.size(); }
    std::size_t position() const { return position_; }
    void seek(std::size_t position) { position_ = std::min(position, bytes_.size()); }

    // Copies up to n bytes from the position; returns how many were read.
    std::size_t read(void* buffer, std::size_t n) {
        const std::size_t got = std::min(n, bytes_.size() - position_);
        if (got) std::memcpy(buffer, bytes_.data() + position_, got);
        position_ += got;
        return got;
    }
    // Writes n bytes at the position, overwriting and then growing.
    void write(const void* buffer, std::size_t n) {
        if (position_ + n > bytes_.size()) bytes_.resize(position_ + n);
        if (n) std::memcpy(bytes_.data() + position_, buffer, n);
        position_ += n;
    }

    // Makes room for n more bytes beyond the position, so that writing them
    // reallocates nothing.
    void reserve(std::size_t n) { bytes_.reserve(std::max(bytes_.size(), position_ + n)); }
    // The bytes from the position to the end, for reading in place; advance with seek.
    const std::uint8_t* current() const { return bytes_.data() + position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::string text() const { return {bytes_.begin(), bytes_.end()}; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

}  // namespace dorvane::base
