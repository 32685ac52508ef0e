// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/set_wallpaper.h"

#include <exception>

#include "compose/bmp_writer.h"
#include "compose/overlay.h"

namespace dorvane::compose {

WallpaperResult SetWallpaper(const Bitmap& screenPicture, const TextLayer& layer,
                             const std::filesystem::path& folder, wallpaper::Backend& desktop,
                             const WallpaperDialogs& dialogs) {
    if (!dialogs.ask(kWallpaperQuestionTitle, kWallpaperQuestion)) return WallpaperResult::Declined;
    Bitmap composed = screenPicture;
    OverlayTextLayer(composed, layer);
    const std::filesystem::path path = std::filesystem::absolute(folder / kWallpaperFileName);
    wallpaper::Outcome outcome;
    try {
        WriteBmpFile(path, composed);
        outcome = desktop.apply(QString::fromStdString(path.string()));
    } catch (const std::exception&) {
        dialogs.inform(kWallpaperFailed);
        return WallpaperResult::Failed;
    }
    if (!outcome.ok) {
        dialogs.inform(std::string(kWallpaperFailed) + "\r\r" + outcome.detail.toStdString());
        return WallpaperResult::Failed;
    }
    dialogs.processEvents();
    dialogs.inform(kWallpaperDone);
    return WallpaperResult::Set;
}

}  // namespace dorvane::compose
