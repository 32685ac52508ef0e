// SPDX-License-Identifier: GPL-3.0-or-later
// The monitors of the desktop: each one's name, its place in the desktop's layout
// and its size in device pixels, the sizes a board is composed at.
#pragma once

#include <string>
#include <vector>

namespace dorvane::platform {

struct Monitor {
    std::string name;  // as the window system says it (RandR monitor, Wayland output)
    int x = 0;         // the top-left corner in the layout, logical pixels
    int y = 0;
    int logicalWidth = 0;
    int logicalHeight = 0;
    int width = 0;  // device pixels
    int height = 0;
    bool primary = false;
    friend bool operator==(const Monitor&, const Monitor&) = default;
};

// The monitors as Qt reports them, primary first, then in Qt's order; needs a
// QGuiApplication. Names are made printable (control characters become '?').
std::vector<Monitor> ListMonitors();

// One line a monitor for scripts, fields separated by a tab:
//   NAME <TAB> WIDTHxHEIGHT <TAB> +X+Y <TAB> primary|secondary
// the size in device pixels, the position in the layout's logical pixels.
std::string FormatMonitorList(const std::vector<Monitor>& monitors);

// Whether Qt can open a window system here (without one it would abort the
// process): a Wayland display is named, or the X display answers.
bool DisplayReachable();

// A name fit for a line or a file name part: control characters become '?',
// and at most 64 bytes are kept.
std::string PrintableMonitorName(const std::string& name);

}  // namespace dorvane::platform
