// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/set_wallpaper.h"

#include <exception>
#include <string_view>

#include "compose/bmp_writer.h"

namespace dorvane::compose {

std::string DesktopNotToldMessage(const std::string& path, const std::string& reason) {
    const bool ends =
        !reason.empty() && std::string_view(".!?").find(reason.back()) != std::string_view::npos;
    return "The background picture was saved as\r" + path +
           "\r\rbut the desktop could not be told to show it: " + reason + (ends ? "" : ".") +
           "\r\rYou can choose this picture as the background in your desktop's settings.";
}

WallpaperResult SetWallpaper(const imaging::Bitmap& screenPicture, const TextLayer& layer,
                             const std::filesystem::path& folder, const DesktopSetter& desktop,
                             const WallpaperDialogs& dialogs) {
    if (!dialogs.ask(kWallpaperQuestionTitle, kWallpaperQuestion)) return WallpaperResult::Declined;
    const std::filesystem::path path = std::filesystem::absolute(folder / kWallpaperFileName);
    try {
        WriteComposedBmpFile(path, screenPicture, layer);
    } catch (const std::exception& e) {
        dialogs.inform(std::string(kWallpaperFailed) + "\r\r" + e.what());
        return WallpaperResult::Failed;
    }
    const platform::wallpaper::Outcome outcome =
        desktop
            ? desktop(QString::fromStdString(path.string()))
            : platform::wallpaper::Outcome{false, QStringLiteral("no supported desktop was found")};
    dialogs.processEvents();
    if (!outcome.ok) {
        dialogs.inform(DesktopNotToldMessage(path.string(), outcome.detail.toStdString()));
        return WallpaperResult::NotShown;
    }
    dialogs.inform(kWallpaperDone);
    return WallpaperResult::Set;
}

}  // namespace dorvane::compose
