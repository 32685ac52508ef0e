// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wallpaper/x11_connection.h"

#include <cstdlib>
#include <cstring>

#include "base/error.h"

namespace dorvane::platform::wallpaper::x11 {
namespace {

std::string DisplayName() {
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && *display != '\0' ? display : "(DISPLAY is not set)";
}

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

}  // namespace

Connection::Connection() {
    int screenNumber = 0;
    connection_.reset(xcb_connect(nullptr, &screenNumber));
    if (xcb_connection_has_error(connection_.get()))
        throw base::Error("cannot connect to the X display " + DisplayName());
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection_.get()));
    for (int i = 0; it.rem > 0 && i < screenNumber; ++i) xcb_screen_next(&it);
    if (it.rem == 0) throw base::Error("the X display " + DisplayName() + " has no such screen");
    screen_ = it.data;
}

xcb_atom_t Connection::atom(const char* name) {
    const auto cookie =
        xcb_intern_atom(get(), 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(get(), cookie, nullptr),
                                            &std::free);
    if (!reply) throw base::Error(std::string("the X server did not answer for the atom ") + name);
    return reply->atom;
}

std::uint32_t Connection::rootPixmapProperty(xcb_atom_t property) {
    const auto cookie = xcb_get_property(get(), 0, root(), property, XCB_ATOM_PIXMAP, 0, 1);
    ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(get(), cookie, nullptr),
                                             &std::free);
    if (!reply || reply->type != XCB_ATOM_PIXMAP || reply->format != 32 ||
        xcb_get_property_value_length(reply.get()) != 4)
        return 0;
    std::uint32_t id = 0;
    std::memcpy(&id, xcb_get_property_value(reply.get()), sizeof id);
    return id;
}

void Connection::sync(const std::string& what) {
    ReplyPtr<xcb_get_input_focus_reply_t> reply(
        xcb_get_input_focus_reply(get(), xcb_get_input_focus(get()), nullptr), &std::free);
    if (!reply || xcb_connection_has_error(get()))
        throw base::Error("the X connection broke while " + what);
    // We select no events, so anything queued is an error for one of our requests.
    while (xcb_generic_event_t* event = xcb_poll_for_event(get())) {
        const bool isError = event->response_type == 0;
        const int code = isError ? reinterpret_cast<xcb_generic_error_t*>(event)->error_code : 0;
        std::free(event);
        if (isError)
            throw base::Error("the X server refused " + what + " (error " + std::to_string(code) +
                              ")");
    }
}

}  // namespace dorvane::platform::wallpaper::x11
