// SPDX-License-Identifier: GPL-3.0-or-later
// The monitors on the command line: "dorvane monitors" lists them, and "dorvane
// apply" without --size composes a board for each of them.
#pragma once

#include <string>
#include <vector>

#include "app/render_command.h"

namespace dorvane::app {

// Lists the monitors, one line each (platform::FormatMonitorList). Returns the exit
// status: 0 listed, 1 no display, 2 bad arguments.
int RunMonitorsCommand(const std::vector<std::string>& args, char* programName);

// Composes the board for every monitor (or only the one named `only`), writes the
// pictures into the data folder and has the desktop show them. Needs a
// QGuiApplication on the real display; returns the exit status of "apply".
int ApplyToMonitors(RenderOptions render, const std::string& only);

}  // namespace dorvane::app
