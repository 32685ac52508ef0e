// SPDX-License-Identifier: GPL-3.0-or-later
// The wallpaper for every monitor: the board composed once per monitor, at that
// monitor's size, and handed to the desktop the way it takes pictures. Desktops
// with a picture per monitor get one file per monitor; the others one picture the
// size of the rectangle around all monitors, each monitor's part composed for it.
// A desktop with one monitor gets the one file "set as background" always wrote.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "compose/board_scaling.h"
#include "compose/goal_board.h"
#include "compose/set_wallpaper.h"
#include "compose/text_layer.h"
#include "imaging/bitmap.h"
#include "platform/desktop_wallpaper.h"
#include "platform/monitors.h"

namespace dorvane::compose {

inline constexpr const char* kMonitorWallpaperPrefix = "Dorvane_wallpaper_";
// The picture spanning all monitors must stay a size one can hold in memory.
inline constexpr long long kMaxSpannedPixels = 16384LL * 8192;
// Composed pictures up to this many pixels in all are handed to the desktop in
// memory as well (about four 4K monitors), so it need not read them back.
inline constexpr long long kMaxKeptPixels = 3840LL * 2160 * 4;

// The board's picture cropped to the screen's proportions and resampled to it, and
// the text drawn for that size from the board styled on `styled` (see
// board_scaling.h); the same as the page-4 composition when the sizes agree.
struct ComposedScreen {
    imaging::Bitmap screen;
    TextLayer layer;
};
ComposedScreen ComposeScreen(const GoalBoard& board, const imaging::Bitmap& photo, ScreenSize size,
                             ScreenSize styled, int dpi);

// Each monitor's file name: the prefix, its name with every character other than
// letters, digits, '-', '_' and '.' turned into '_', and ".bmp"; names that would
// become the same get "~2", "~3"… in list order.
std::vector<std::string> MonitorFileNames(const std::vector<platform::Monitor>& monitors);

struct MonitorWallpaperJob {
    GoalBoard board;
    const imaging::Bitmap* photo = nullptr;   // the board's picture at full size
    std::vector<platform::Monitor> monitors;  // every monitor of the desktop
    std::string only;                         // one monitor's name: set it alone
    ScreenSize styledFallback;                // where a board that does not say was styled
    int dpi = 96;                             // pixels per inch at the styled size
    std::filesystem::path folder;             // the data folder
};

struct MonitorWallpaperResult {
    enum class Status { Set, NotShown, Failed };
    Status status = Status::Failed;
    std::string message;                       // why it failed, or what the desktop said
    std::vector<std::string> notes;            // monitors left out, and why
    std::vector<std::filesystem::path> files;  // the pictures written
};

// Composes (monitors in parallel), writes the files whole, has the desktop show
// them, and removes the earlier per-monitor files that no monitor uses now.
// Never throws: a failure is the result's message.
MonitorWallpaperResult SetMonitorWallpapers(const MonitorWallpaperJob& job,
                                            platform::wallpaper::Backend& desktop);

// What setting the monitors came to, with the message "set as background" shows
// for it (the notes on monitors left out follow it).
WallpaperOutcome DescribeMonitorResult(const MonitorWallpaperResult& result);

}  // namespace dorvane::compose
