// SPDX-License-Identifier: GPL-3.0-or-later
// The program's icon, compiled in: the windows' icon and the task bar's. The same
// pictures are installed for the desktop's menus (share/icons/hicolor/).
#pragma once

#include <QIcon>

namespace dorvane::platform {

// The sizes the icon is drawn at, in pixels.
inline constexpr int kProgramIconSizes[] = {16, 32, 48, 64, 128, 256};

// Every size of the icon from the "ICON" resources dorvane_N (none in programs that
// link no resources); throws dorvane::base::Error when one cannot be decoded.
QIcon ProgramIcon();

}  // namespace dorvane::platform
