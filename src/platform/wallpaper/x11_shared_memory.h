// SPDX-License-Identifier: GPL-3.0-or-later
// A shared memory segment that the X server has attached too (MIT-SHM): an image
// put from it reaches the server without going through the socket.
#pragma once

#include <xcb/shm.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/wallpaper/x11_connection.h"

namespace dorvane::platform::wallpaper::x11 {

class SharedMemory {
public:
    // Null when the server cannot share memory with us: no MIT-SHM, a display
    // on another machine, or no segment of that size to be had.
    static std::unique_ptr<SharedMemory> Attach(Connection& connection, std::size_t bytes);
    ~SharedMemory();  // detaches both sides; the server only after its earlier requests
    SharedMemory(const SharedMemory&) = delete;
    SharedMemory& operator=(const SharedMemory&) = delete;

    std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    xcb_shm_seg_t segment() const { return segment_; }

private:
    SharedMemory(Connection& connection, std::uint8_t* data, std::size_t size,
                 xcb_shm_seg_t segment)
        : connection_(connection), data_(data), size_(size), segment_(segment) {}
    Connection& connection_;
    std::uint8_t* data_;
    std::size_t size_;
    xcb_shm_seg_t segment_;
};

}  // namespace dorvane::platform::wallpaper::x11
