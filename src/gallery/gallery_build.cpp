// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/gallery_build.h"

#include <algorithm>
#include <deque>
#include <exception>
#include <future>
#include <memory>
#include <system_error>
#include <thread>

namespace dorvane::gallery {
namespace {

struct Decoded {
    imaging::Bitmap thumbnail;
    bool ok = false;
};

// Decodes user files a few ahead of the one being placed, never more, so memory
// stays bounded however many files there are. A file whose thread cannot be
// started is decoded here, on the calling thread, when its turn comes.
class Prefetcher {
public:
    Prefetcher(const GallerySource& source, const std::vector<std::string>& files, int threads,
               const base::ThreadStarter& startThread)
        : source_(source),
          files_(files),
          window_(static_cast<std::size_t>(threads)),
          startThread_(startThread) {
        while (started_ < files_.size() && pending_.size() < window_) start();
    }

    Decoded next() {
        Pending& p = pending_.front();
        if (!p.thread.joinable()) (*p.task)();
        Decoded d = p.result.get();
        pending_.pop_front();
        if (started_ < files_.size()) start();
        return d;
    }

private:
    struct Pending {
        std::shared_ptr<std::packaged_task<Decoded()>> task;
        std::future<Decoded> result;
        std::jthread thread;  // not joinable when none could be started
    };

    void start() {
        const std::string& name = files_[started_++];
        auto decode = source_.userThumbnail;
        auto task = std::make_shared<std::packaged_task<Decoded()>>([decode, name] {
            Decoded d;
            try {
                d.thumbnail = decode(name);
                d.ok = true;
            } catch (const std::exception&) {
            }
            return d;
        });
        Pending& p = pending_.emplace_back(Pending{task, task->get_future(), {}});
        try {
            p.thread = startThread_([task] { (*task)(); });
        } catch (const std::system_error&) {
            // No thread to spare: next() decodes this file itself.
        }
    }

    const GallerySource& source_;
    const std::vector<std::string>& files_;
    std::size_t window_;
    const base::ThreadStarter& startThread_;
    std::size_t started_ = 0;
    std::deque<Pending> pending_;  // destroyed before the rest: joins the threads
};

std::int32_t AddEntry(Catalogue& pictures, PictureInfo entry, const imaging::Bitmap& thumb,
                      std::int32_t selected, GalleryGrid& grid) {
    const auto number = static_cast<std::int32_t>(pictures.size()) + 1;
    entry.Number = number;
    pictures.push_back(std::move(entry));
    grid.addThumbnail(pictures.back(), thumb);
    if (number == selected) grid.select(number);
    return number;
}

}  // namespace

std::string GalleryLoadErrorText(const std::string& fileName) {
    return "Error loading picture from gallery! (" + fileName + ")";
}

std::vector<UserThumbnail> DecodeUserThumbnails(const GallerySource& source, int workerThreads,
                                                const base::ThreadStarter& startThread) {
    std::vector<UserThumbnail> out;
    const std::vector<std::string> files = source.userFiles();
    if (workerThreads <= 0)
        workerThreads = static_cast<int>(std::max(2u, std::thread::hardware_concurrency()));
    Prefetcher ahead(source, files, workerThreads, startThread);
    out.reserve(files.size());
    for (const std::string& file : files) {
        Decoded d = ahead.next();
        out.push_back({file, std::move(d.thumbnail), d.ok});
    }
    return out;
}

std::int32_t PlaceGallery(Catalogue& pictures, std::int32_t selected, const GallerySource& source,
                          const std::vector<UserThumbnail>& userFiles, GalleryGrid& grid) {
    grid.clear();
    pictures.clear();
    for (std::size_t i = 0; i < source.builtInNames.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        imaging::Bitmap thumbnail;
        try {
            thumbnail = source.builtInThumbnail(n);
        } catch (const std::exception&) {
            pictures.push_back({source.builtInNames[i], true, n});  // no thumbnail to show
            continue;
        }
        AddEntry(pictures, {source.builtInNames[i], true}, thumbnail, selected, grid);
    }
    for (const UserThumbnail& u : userFiles) {
        if (u.ok)
            AddEntry(pictures, {UserPictureName(u.file), false, 0, u.file}, u.thumbnail, selected,
                     grid);
        else
            grid.reportLoadError(GalleryLoadErrorText(u.file));
    }
    const auto count = static_cast<std::int32_t>(pictures.size());
    grid.finish(count);
    return count;
}

std::int32_t BuildGallery(Catalogue& pictures, std::int32_t selected, const GallerySource& source,
                          GalleryGrid& grid, int workerThreads,
                          const base::ThreadStarter& startThread) {
    std::vector<UserThumbnail> userFiles;
    try {
        userFiles = DecodeUserThumbnails(source, workerThreads, startThread);
    } catch (const std::exception&) {
        // A folder that cannot be listed: the built-in pictures still come.
    }
    return PlaceGallery(pictures, selected, source, userFiles, grid);
}

}  // namespace dorvane::gallery
