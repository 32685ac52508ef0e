// SPDX-License-Identifier: GPL-3.0-or-later
// What differs between window systems: Wayland has no window shapes and lets no
// program place its windows; X11 shapes a window in whole device-independent pixels
// through Qt, and in device pixels only through its own shape extension.
#pragma once

#include <QRegion>

class QWindow;

namespace dorvane::platform {

// Whether the program runs as a native Wayland client.
bool IsWayland();

// Shapes a created window in its own device pixels (finer than QWidget::setMask at
// a device pixel ratio above 1). False when this window system has no such shape;
// the caller then falls back to QWidget::setMask.
bool SetDeviceShape(QWindow& window, const QRegion& devicePixels);

}  // namespace dorvane::platform
