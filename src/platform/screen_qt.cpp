// SPDX-License-Identifier: GPL-3.0-or-later
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "base/error.h"
#include "platform/screen.h"

namespace dorvane::platform {

ScreenInfo QtScreen::info() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) throw base::Error("No screen is available");
    return ScreenInfoOf(*screen);
}

ScreenInfo ScreenInfoOf(const QScreen& screen) {
    const qreal ratio = screen.devicePixelRatio();
    const QSize logical = screen.size();
    ScreenInfo info;
    info.width = static_cast<int>(std::lround(logical.width() * ratio));
    info.height = static_cast<int>(std::lround(logical.height() * ratio));
    info.dpi = static_cast<int>(std::lround(screen.logicalDotsPerInch() * ratio));
    info.ratio = ratio;
    return info;
}

}  // namespace dorvane::platform
