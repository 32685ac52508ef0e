// SPDX-License-Identifier: GPL-3.0-or-later
// The headless "readable" command: gives a saved board the least visible change
// of text colour and shading that makes its goals easy to read on its picture.
//   dorvane readable BOARD.gls -o OUT.gls [--size WIDTHxHEIGHT] [--dpi N] [--gallery DIR]
#pragma once

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

namespace dorvane::app {

struct ReadableOptions {
    std::filesystem::path board;
    std::filesystem::path output;
    int width = 1920;  // the screen the board is composed for
    int height = 1080;
    int dpi = 96;
    std::filesystem::path gallery;  // empty: the program's own gallery folder
};

std::string ReadableUsage();

// Arguments after "readable". The string alternative is the one-line complaint.
std::variant<ReadableOptions, std::string> ParseReadableArguments(
    const std::vector<std::string>& args);

// Returns the exit status: 0 when the output was written (also when nothing
// needed changing, as it says), 1 when the board could not be composed or the
// output not written, 2 for bad arguments or a board that cannot be read.
int RunReadableCommand(const std::vector<std::string>& args, char* programName);

}  // namespace dorvane::app
