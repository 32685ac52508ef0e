// SPDX-License-Identifier: GPL-3.0-or-later
// The window's slow work, each on a worker thread with its answer delivered on
// the UI thread through a signal: decoding the chosen photograph and fitting it
// to the screen, setting the wallpaper, and the online check. One job of a kind
// at a time: a second request for the same picture, or a check while one runs,
// joins the one under way.
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "compose/monitor_wallpaper.h"
#include "compose/set_wallpaper.h"
#include "compose/text_layer.h"
#include "gallery/catalogue.h"
#include "gallery/gallery_build.h"
#include "imaging/bitmap.h"

namespace dorvane::app {

// The chosen photograph and the working pictures made from it.
struct LoadedPictures {
    int number = 0;
    imaging::Bitmap full;
    imaging::Bitmap screen;   // at screen size
    imaging::Bitmap preview;  // at the preview's size in device pixels
    std::string error;        // why the picture could not be read, when it could not
};

class BackgroundJobs : public QObject {
    Q_OBJECT
public:
    explicit BackgroundJobs(QObject* parent = nullptr);
    // Waits for the jobs under way, each within its own time limit.
    ~BackgroundJobs() override;

    // Decodes picture n of the catalogue and fits it to pictures of the given sizes.
    void loadPicture(int n, gallery::Catalogue pictures, std::filesystem::path galleryFolder,
                     QSize screen, QSize preview);
    int pictureLoading() const;  // the number being loaded, or 0

    // Writes the composed board as the wallpaper file and has the desktop show it.
    void setWallpaper(imaging::Bitmap screenPicture, compose::TextLayer layer,
                      std::filesystem::path folder, compose::DesktopSetter desktop);
    // The same for several monitors: composes the board for each and has the
    // desktop show them (`set` is compose::SetMonitorWallpapers with the running
    // desktop). The photograph is copied, so the job owns what it reads.
    using MonitorSetter =
        std::function<compose::MonitorWallpaperResult(const compose::MonitorWallpaperJob&)>;
    void setMonitorWallpapers(compose::MonitorWallpaperJob job, imaging::Bitmap photo,
                              MonitorSetter set);
    bool settingWallpaper() const { return wallpaper_.isRunning(); }

    // Lists the gallery folder and decodes its thumbnails. A request while one
    // runs is held and runs after it, so the answer is never older than the
    // folder at the last request.
    void decodeGallery(gallery::GallerySource source, int threads);
    bool decodingGallery() const { return gallery_.isRunning(); }

    // Asks whether the computer is online.
    void checkOnline(std::function<bool()> isOnline);
    bool checkingOnline() const { return online_.isRunning(); }
    std::optional<bool> lastOnline() const { return lastOnline_; }

signals:
    // The receiver may take the pictures (move them) for its own.
    void pictureReady(dorvane::app::LoadedPictures& pictures);
    void wallpaperDone(const dorvane::compose::WallpaperOutcome& outcome);
    void onlineAnswered(bool online);
    void galleryDecoded(const std::vector<dorvane::gallery::UserThumbnail>& userFiles);

private:
    QFutureWatcher<std::shared_ptr<LoadedPictures>> picture_;
    QFutureWatcher<compose::WallpaperOutcome> wallpaper_;
    QFutureWatcher<bool> online_;
    QFutureWatcher<std::vector<gallery::UserThumbnail>> gallery_;
    std::optional<std::pair<gallery::GallerySource, int>> nextGallery_;
    int pictureNumber_ = 0;
    std::optional<bool> lastOnline_;
};

}  // namespace dorvane::app
