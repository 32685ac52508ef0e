// SPDX-License-Identifier: GPL-3.0-or-later
// The headless "render" command: composes a saved board exactly as its wallpaper
// would look on a screen of a given size, without a display.
//   dorvane render BOARD.gls --size WIDTHxHEIGHT [--dpi N] [--gallery DIR] -o OUT.bmp|OUT.png
#pragma once

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "imaging/bitmap.h"

namespace dorvane::app {

struct RenderOptions {
    std::filesystem::path board;
    int width = 0;
    int height = 0;
    int dpi = 96;
    std::filesystem::path gallery;  // empty: the program's own gallery folder
    std::filesystem::path output;
};

inline constexpr int kMaxRenderSide = 16384;

// The text that --help prints.
std::string RenderUsage();

// Arguments after "render". The string alternative is the one-line complaint.
std::variant<RenderOptions, std::string> ParseRenderArguments(const std::vector<std::string>& args);

// The board composed at options.width × options.height: its picture from the
// built-in gallery or the gallery folder, cropped and scaled to the screen, with
// its text over it. Needs a QGuiApplication; throws dorvane::Error.
Bitmap RenderBoardPicture(const RenderOptions& options);

// Writes a .bmp (24-bit) or .png file, whole or not at all; throws dorvane::Error.
void WriteRenderedPicture(const std::filesystem::path& path, const Bitmap& picture);

// The command with the arguments after "render". Returns the exit status: 0 done,
// 1 failed, 2 bad arguments.
int RunRenderCommand(const std::vector<std::string>& args, char* programName);

}  // namespace dorvane::app
