// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/window_system.h"

#include <QGuiApplication>

namespace dorvane::platform {

bool IsWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace dorvane::platform
