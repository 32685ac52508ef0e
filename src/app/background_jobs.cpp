// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/background_jobs.h"

#include <QtConcurrent/QtConcurrentRun>
#include <exception>

#include "gallery/picture_loader.h"
#include "imaging/scale.h"

namespace dorvane::app {
namespace {

LoadedPictures LoadAndFit(int n, const gallery::Catalogue& pictures,
                          const std::filesystem::path& folder, QSize screen, QSize preview) {
    LoadedPictures out;
    out.number = n;
    try {
        gallery::LoadGalleryPicture(n, pictures, folder, out.full);
        out.screen = imaging::Bitmap(screen.width(), screen.height());
        out.preview = imaging::Bitmap(preview.width(), preview.height());
        imaging::PrepareScreenPictures(out.full, out.screen, out.preview);
    } catch (const std::exception& e) {
        out.error = e.what();
    } catch (...) {
        out.error = "Unknown error";
    }
    return out;
}

}  // namespace

BackgroundJobs::BackgroundJobs(QObject* parent) : QObject(parent) {
    connect(&picture_, &QFutureWatcherBase::finished, this, [this] {
        pictureNumber_ = 0;
        // Shared, not copied: the photograph alone may be tens of megabytes,
        // and the receiver takes them for its own.
        emit pictureReady(*picture_.result());
    });
    connect(&wallpaper_, &QFutureWatcher<compose::WallpaperOutcome>::finished, this,
            [this] { emit wallpaperDone(wallpaper_.result()); });
    connect(&gallery_, &QFutureWatcher<std::vector<gallery::UserThumbnail>>::finished, this,
            [this] {
                if (nextGallery_) {  // the folder changed meanwhile: this answer is old
                    auto [source, threads] = *std::exchange(nextGallery_, std::nullopt);
                    return decodeGallery(std::move(source), threads);
                }
                emit galleryDecoded(gallery_.result());
            });
    connect(&online_, &QFutureWatcher<bool>::finished, this, [this] {
        lastOnline_ = online_.result();
        emit onlineAnswered(*lastOnline_);
    });
}

BackgroundJobs::~BackgroundJobs() {
    for (QFutureWatcherBase* job :
         std::initializer_list<QFutureWatcherBase*>{&picture_, &wallpaper_, &online_, &gallery_}) {
        job->disconnect(this);
        job->waitForFinished();
    }
}

void BackgroundJobs::loadPicture(int n, gallery::Catalogue pictures,
                                 std::filesystem::path galleryFolder, QSize screen, QSize preview) {
    if (picture_.isRunning() && pictureNumber_ == n) return;  // joins the load under way
    // A load of another picture may still run; the watcher forgets it, and it
    // ends on its own.
    pictureNumber_ = n;
    picture_.setFuture(QtConcurrent::run([n, pictures = std::move(pictures),
                                          folder = std::move(galleryFolder), screen, preview] {
        return std::make_shared<LoadedPictures>(LoadAndFit(n, pictures, folder, screen, preview));
    }));
}

int BackgroundJobs::pictureLoading() const {
    return picture_.isRunning() ? pictureNumber_ : 0;
}

void BackgroundJobs::setWallpaper(imaging::Bitmap screenPicture, compose::TextLayer layer,
                                  std::filesystem::path folder, compose::DesktopSetter desktop) {
    if (wallpaper_.isRunning()) return;
    wallpaper_.setFuture(
        QtConcurrent::run([picture = std::move(screenPicture), layer = std::move(layer),
                           folder = std::move(folder), desktop = std::move(desktop)] {
            try {
                return compose::WriteAndSetWallpaper(picture, layer, folder, desktop);
            } catch (const std::exception& e) {
                return compose::WallpaperOutcome{compose::WallpaperResult::Failed, e.what()};
            }
        }));
}

void BackgroundJobs::setMonitorWallpapers(compose::MonitorWallpaperJob job, imaging::Bitmap photo,
                                          MonitorSetter set) {
    if (wallpaper_.isRunning() || !set) return;
    wallpaper_.setFuture(QtConcurrent::run(
        [job = std::move(job), photo = std::move(photo), set = std::move(set)]() mutable {
            job.photo = &photo;
            try {
                return compose::DescribeMonitorResult(set(job));
            } catch (const std::exception& e) {
                return compose::WallpaperOutcome{compose::WallpaperResult::Failed, e.what()};
            }
        }));
}

void BackgroundJobs::decodeGallery(gallery::GallerySource source, int threads) {
    if (gallery_.isRunning()) {
        nextGallery_.emplace(std::move(source), threads);
        return;
    }
    gallery_.setFuture(QtConcurrent::run([source = std::move(source), threads] {
        try {
            return gallery::DecodeUserThumbnails(source, threads);
        } catch (const std::exception&) {
            return std::vector<gallery::UserThumbnail>();  // a folder that cannot be listed
        }
    }));
}

void BackgroundJobs::checkOnline(std::function<bool()> isOnline) {
    if (online_.isRunning() || !isOnline) return;
    online_.setFuture(QtConcurrent::run([isOnline = std::move(isOnline)] {
        try {
            return isOnline();
        } catch (...) {
            return false;  // any failure on the way means offline
        }
    }));
}

}  // namespace dorvane::app
