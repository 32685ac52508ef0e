// SPDX-License-Identifier: GPL-3.0-or-later
// Window shapes through the X shape extension, in device pixels.
#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWindow>
#include <vector>

#include "platform/window_system.h"

namespace dorvane::platform {

bool SetDeviceShape(QWindow& window, const QRegion& devicePixels) {
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !window.handle()) return false;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return false;
    const xcb_query_extension_reply_t* shape = xcb_get_extension_data(connection, &xcb_shape_id);
    if (!shape || !shape->present) return false;
    std::vector<xcb_rectangle_t> rects;
    rects.reserve(static_cast<std::size_t>(devicePixels.rectCount()));
    for (const QRect& r : devicePixels)
        rects.push_back({static_cast<int16_t>(r.x()), static_cast<int16_t>(r.y()),
                         static_cast<uint16_t>(r.width()), static_cast<uint16_t>(r.height())});
    xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING,
                         XCB_CLIP_ORDERING_UNSORTED, static_cast<xcb_window_t>(window.winId()), 0,
                         0, static_cast<uint32_t>(rects.size()), rects.data());
    xcb_flush(connection);
    return true;
}

}  // namespace dorvane::platform
