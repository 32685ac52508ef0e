// SPDX-License-Identifier: GPL-3.0-or-later
// The gallery build with 100 user pictures of 12 megapixels (4000 × 3000): the
// 32 built-in thumbnails, the 100 files decoded to thumbnails, the grid filled.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <filesystem>
#include <fstream>

#include "gallery/builtin_pictures.h"
#include "gallery/gallery_page.h"
#include "gallery/thumbnail.h"
#include "imaging/jpeg.h"
#include "platform/files.h"
#include "platform/picture_resource.h"

namespace fs = std::filesystem;
using namespace dorvane;

namespace {

// A photo-like 12-megapixel picture (smooth gradients and detail), written once
// and copied under 100 names.
fs::path MakeFolder(int files) {
    const fs::path folder =
        fs::temp_directory_path() / ("dorvane-gallery-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    imaging::Bitmap picture(4000, 3000);
    for (int y = 0; y < 3000; ++y)
        for (int x = 0; x < 4000; ++x)
            picture.setPixel(x, y,
                             static_cast<std::uint32_t>(((x / 7) & 255) | (((y / 5) & 255) << 8) |
                                                        (((x ^ y) & 255) << 16)));
    const auto bytes = imaging::EncodeJpeg(picture, 90);
    for (int i = 0; i < files; ++i)
        std::ofstream(folder / ("photo" + std::to_string(i) + ".jpg"), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    return folder;
}

gallery::GallerySource Source(const fs::path& folder) {
    gallery::GallerySource s;
    for (std::string_view n : gallery::kBuiltInPictureNames) s.builtInNames.emplace_back(n);
    s.builtInThumbnail = [](int n) {
        imaging::Bitmap b;
        platform::LoadPictureFromResource(b, "picThumb" + std::to_string(n));
        return gallery::MakeThumbnail(b);
    };
    s.userFiles = [folder] { return platform::FindFiles(folder, "*.jpg"); };
    s.userThumbnail = [folder](const std::string& name) {
        return gallery::ThumbnailFromFile(folder / name);
    };
    return s;
}

void BM_GalleryBuild100Pictures12MP(benchmark::State& state) {
    const fs::path folder = MakeFolder(100);
    gallery::GalleryState galleryState;
    gallery::GalleryPage page(nullptr, galleryState);
    const auto source = Source(folder);
    for (auto _ : state) {
        const int count = gallery::BuildGallery(galleryState.Pictures, 1, source, page);
        if (count != 132) state.SkipWithError("not every picture was listed");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    fs::remove_all(folder);
}

}  // namespace

BENCHMARK(BM_GalleryBuild100Pictures12MP)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);
