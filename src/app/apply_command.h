// SPDX-License-Identifier: GPL-3.0-or-later
// The headless "apply" command: composes a saved board for this screen, writes the
// wallpaper file as "set as background" does and has the desktop show it.
//   dorvane apply BOARD.gls [--size WIDTHxHEIGHT]
#pragma once

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

namespace dorvane::app {

struct ApplyOptions {
    std::filesystem::path board;
    int width = 0;  // 0: the primary screen's size in device pixels
    int height = 0;
    std::string monitor;  // --monitor NAME: set that monitor alone
};

// Arguments after "apply". The string alternative is the one-line complaint.
std::variant<ApplyOptions, std::string> ParseApplyArguments(const std::vector<std::string>& args);

// Returns the exit status: 0 when the desktop confirmed the new wallpaper, 1 when
// anything after reading the board failed, 2 for bad arguments or a board that
// cannot be read or is none; then neither the wallpaper nor its file is touched.
// Failures are one line on stderr.
int RunApplyCommand(const std::vector<std::string>& args, char* programName);

}  // namespace dorvane::app
