// SPDX-License-Identifier: GPL-3.0-or-later
// A connection of our own to $DISPLAY (closed when it goes out of scope) and the
// few round trips the root-window code needs.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <memory>
#include <string>

namespace dorvane::platform::wallpaper::x11 {

class Connection {
public:
    Connection();  // throws dorvane::base::Error naming the display
    xcb_connection_t* get() const { return connection_.get(); }
    xcb_screen_t& screen() const { return *screen_; }
    xcb_window_t root() const { return screen_->root; }

    xcb_atom_t atom(const char* name);
    // A PIXMAP property of the root window; 0 when it is missing or of another type.
    std::uint32_t rootPixmapProperty(xcb_atom_t property);
    // Waits until the server has handled every request so far and throws the
    // first error it reported for them.
    void sync(const std::string& what);

private:
    struct Disconnect {
        void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
    };
    std::unique_ptr<xcb_connection_t, Disconnect> connection_;
    xcb_screen_t* screen_ = nullptr;
};

}  // namespace dorvane::platform::wallpaper::x11
