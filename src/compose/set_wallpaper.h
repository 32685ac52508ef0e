// SPDX-License-Identifier: GPL-3.0-or-later
// The "set as background" command: asks, composes the board at screen size,
// writes the wallpaper file and has the desktop show it.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "compose/text_layer.h"
#include "imaging/bitmap.h"
#include "platform/desktop_wallpaper.h"

namespace dorvane::compose {

inline constexpr const char* kWallpaperFileName = "Dorvane_wallpaper.bmp";
inline constexpr const char* kWallpaperQuestionTitle = "Set as background";
inline constexpr const char* kWallpaperQuestion =
    "Do you really want to set the desktop background image?\r\rWe also recommend you to save "
    "your work.";
inline constexpr const char* kWallpaperDone = "Background successfully set!";
inline constexpr const char* kWallpaperFailed =
    "An error occured when saving the background picture!";

// The message when the file was written but the desktop did not confirm showing it.
std::string DesktopNotToldMessage(const std::string& path, const std::string& reason);

// What the command needs from the window: the question box (true for Yes) and the
// information box.
struct WallpaperDialogs {
    std::function<bool(const std::string& title, const std::string& text)> ask;
    std::function<void(const std::string& text)> inform;
};

// Has the desktop show the file at an absolute path; says whether it confirmed.
using DesktopSetter = std::function<platform::wallpaper::Outcome(const QString& absPath)>;

enum class WallpaperResult { Declined, Set, NotShown, Failed };

// What writing and setting came to, and the message that says so.
struct WallpaperOutcome {
    WallpaperResult result = WallpaperResult::Failed;
    std::string message;
};

// The slow half of the command, safe on any thread: writes the file and has the
// desktop show it. The file goes to folder/Dorvane_wallpaper.bmp, written whole
// before it replaces the earlier one. Success is reported only when the desktop
// confirmed; otherwise the message names the file written and the desktop's
// reason. A file that cannot be written is reported with its reason, and the
// desktop is not asked.
WallpaperOutcome WriteAndSetWallpaper(const imaging::Bitmap& screenPicture, const TextLayer& layer,
                                      const std::filesystem::path& folder,
                                      const DesktopSetter& desktop);

// The whole command on one thread: the question, then the above. The file goes to
// folder/Dorvane_wallpaper.bmp, written whole before it replaces the earlier one. Success is
// reported only when the desktop confirmed; otherwise the message names the file written and the
// desktop's reason. A file that cannot be written is reported with its reason, and the desktop is
// not asked.
WallpaperResult SetWallpaper(const imaging::Bitmap& screenPicture, const TextLayer& layer,
                             const std::filesystem::path& folder, const DesktopSetter& desktop,
                             const WallpaperDialogs& dialogs);

}  // namespace dorvane::compose
