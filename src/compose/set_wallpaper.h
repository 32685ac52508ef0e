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

// What the command needs from the window: the question box (true for Yes), the
// information box, and letting pending window messages run.
struct WallpaperDialogs {
    std::function<bool(const std::string& title, const std::string& text)> ask;
    std::function<void(const std::string& text)> inform;
    std::function<void()> processEvents;
};

enum class WallpaperResult { Declined, Set, Failed };

// The command. The file goes to folder/Dorvane_wallpaper.bmp, written whole before
// it replaces the earlier one. When the desktop refuses the picture, the failure
// message follows the backend's detail after an empty line.
WallpaperResult SetWallpaper(const Bitmap& screenPicture, const TextLayer& layer,
                             const std::filesystem::path& folder, wallpaper::Backend& desktop,
                             const WallpaperDialogs& dialogs);

}  // namespace dorvane::compose
