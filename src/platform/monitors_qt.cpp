// SPDX-License-Identifier: GPL-3.0-or-later
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "platform/monitors.h"

namespace dorvane::platform {

bool DisplayReachable() {
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) return true;
    if (qEnvironmentVariableIsEmpty("DISPLAY")) return false;
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const bool ok = xcb_connection_has_error(c) == 0;
    xcb_disconnect(c);
    return ok;
}

std::vector<Monitor> ListMonitors() {
    std::vector<Monitor> monitors;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        const qreal ratio = screen->devicePixelRatio();
        Monitor m;
        m.name = PrintableMonitorName(screen->name().toStdString());
        m.x = g.x();
        m.y = g.y();
        m.logicalWidth = g.width();
        m.logicalHeight = g.height();
        m.width = static_cast<int>(std::lround(g.width() * ratio));
        m.height = static_cast<int>(std::lround(g.height() * ratio));
        m.primary = screen == primary;
        if (m.primary)
            monitors.insert(monitors.begin(), m);
        else
            monitors.push_back(m);
    }
    return monitors;
}

}  // namespace dorvane::platform
