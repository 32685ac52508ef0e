// SPDX-License-Identifier: GPL-3.0-or-later
// BuildGallery: fills the catalogue and the grid in one pass. The built-in
// pictures come first (1…32), then the gallery folder's *.jpg files in listing
// order. A user file that cannot be decoded is reported by name and left out, so
// later files close up. User thumbnails are decoded ahead on worker threads; the
// catalogue, the numbering, the messages and the selection come out exactly as a
// one-by-one build would make them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/threads.h"
#include "gallery/catalogue.h"
#include "imaging/bitmap.h"

namespace dorvane::gallery {

// What the build reads: the built-in thumbnails and the user files.
struct GallerySource {
    std::vector<std::string> builtInNames;                   // 32 display names, picture 1 first
    std::function<imaging::Bitmap(int n)> builtInThumbnail;  // 95×71, from "picThumb"+n
    std::function<std::vector<std::string>()> userFiles;     // names, listing order
    // The 95×71 thumbnail of a user file; called on worker threads, so it must
    // touch nothing shared. Throws dorvane::base::Error for a file it cannot use.
    std::function<imaging::Bitmap(const std::string& fileName)> userThumbnail;
};

// What the build writes to: the grid and the messages.
class GalleryGrid {
public:
    virtual ~GalleryGrid() = default;
    virtual void clear() = 0;  // no thumbnails, layout cursor back at its start
    virtual void addThumbnail(const PictureInfo& entry, const imaging::Bitmap& thumbnail) = 0;
    virtual void select(std::int32_t number) = 0;  // SelectThumbnail (sets PicName too)
    virtual void finish(std::int32_t count) = 0;   // place the bottom spacer
    // "Error loading picture from gallery! (name)"; returns when confirmed.
    virtual void reportLoadError(const std::string& message) = 0;
};

// The message for a user file that failed.
std::string GalleryLoadErrorText(const std::string& fileName);

// A user file's thumbnail, decoded; none when the file cannot be used.
struct UserThumbnail {
    std::string file;
    imaging::Bitmap thumbnail;
    bool ok = false;
};

// Lists the user files and decodes their thumbnails, in listing order, on up to
// workerThreads threads (0: one a processor core). Touches nothing but `source`'s
// functions, so it may run on any thread.
std::vector<UserThumbnail> DecodeUserThumbnails(
    const GallerySource& source, int workerThreads = 0,
    const base::ThreadStarter& startThread = base::StartThread);

// Rebuilds `pictures` and the grid from the built-in thumbnails and the decoded
// user files; `selected` is carried over by number. A built-in thumbnail that
// cannot be made leaves that picture out of the grid (it keeps its number, which
// boards and its photograph rely on); the others still come. Returns the count.
std::int32_t PlaceGallery(Catalogue& pictures, std::int32_t selected, const GallerySource& source,
                          const std::vector<UserThumbnail>& userFiles, GalleryGrid& grid);

// Both of the above on the calling thread. Rebuilds `pictures` and the grid; `selected` is carried
// over by number. Returns the picture count. User files are decoded on up to workerThreads threads
// (0: one a processor core); without threads, on the calling one.
std::int32_t BuildGallery(Catalogue& pictures, std::int32_t selected, const GallerySource& source,
                          GalleryGrid& grid, int workerThreads = 0,
                          const base::ThreadStarter& startThread = base::StartThread);

}  // namespace dorvane::gallery
