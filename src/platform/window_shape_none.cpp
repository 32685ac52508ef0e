// SPDX-License-Identifier: GPL-3.0-or-later
// Builds without the X shape extension: Qt's own window masks only.
#include "platform/window_system.h"

namespace dorvane::platform {

bool SetDeviceShape(QWindow&, const QRegion&) {
    return false;
}

}  // namespace dorvane::platform
