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

WallpaperOutcome WriteAndSetWallpaper(const imaging::Bitmap& screenPicture, const TextLayer& layer,
                                      const std::filesystem::path& folder,
                                      const DesktopSetter& desktop) {
    const std::filesystem::path path = std::filesystem::absolute(folder / kWallpaperFileName);
    try {
        WriteComposedBmpFile(path, screenPicture, layer);
    } catch (const std::exception& e) {
        return {WallpaperResult::Failed, std::string(kWallpaperFailed) + "\r\r" + e.what()};
    }
    const platform::wallpaper::Outcome outcome =
        desktop
            ? desktop(QString::fromStdString(path.string()))
            : platform::wallpaper::Outcome{false, QStringLiteral("no supported desktop was found")};
    if (!outcome.ok)
        return {WallpaperResult::NotShown,
                DesktopNotToldMessage(path.string(), outcome.detail.toStdString())};
    return {WallpaperResult::Set, kWallpaperDone};
}

WallpaperResult SetWallpaper(const imaging::Bitmap& screenPicture, const TextLayer& layer,
                             const std::filesystem::path& folder, const DesktopSetter& desktop,
                             const WallpaperDialogs& dialogs) {
    if (!dialogs.ask(kWallpaperQuestionTitle, kWallpaperQuestion)) return WallpaperResult::Declined;
    const WallpaperOutcome outcome = WriteAndSetWallpaper(screenPicture, layer, folder, desktop);
    dialogs.inform(outcome.message);
    return outcome.result;
}

}  // namespace dorvane::compose
