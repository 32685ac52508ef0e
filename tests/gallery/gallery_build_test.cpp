// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/gallery_build.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <system_error>

#include "base/error.h"

using namespace dorvane;
using namespace dorvane::gallery;

namespace {

// Records what the build does to the grid, in order.
class RecordingGrid : public GalleryGrid {
public:
    void clear() override { log.push_back("clear"); }
    void addThumbnail(const PictureInfo& e, const imaging::Bitmap& t) override {
        log.push_back("add " + std::to_string(e.Number) + " " + e.Name);
        EXPECT_EQ(t.width(), 95);
        colours.push_back(t.pixel(0, 0));
    }
    void select(std::int32_t n) override { log.push_back("select " + std::to_string(n)); }
    void finish(std::int32_t count) override { log.push_back("finish " + std::to_string(count)); }
    void reportLoadError(const std::string& m) override { log.push_back(m); }

    std::vector<std::string> log;
    std::vector<std::uint32_t> colours;
};

imaging::Bitmap Thumb(std::uint32_t colour) {
    imaging::Bitmap b(95, 71);
    b.fill(colour);
    return b;
}

GallerySource Source(std::vector<std::string> files) {
    GallerySource s;
    for (int n = 1; n <= 32; ++n) s.builtInNames.push_back("Builtin " + std::to_string(n));
    s.builtInThumbnail = [](int n) { return Thumb(static_cast<std::uint32_t>(n)); };
    s.userFiles = [files] { return files; };
    s.userThumbnail = [](const std::string& name) {
        if (name.find("bad") != std::string::npos) throw base::Error("Cannot decode " + name);
        return Thumb(static_cast<std::uint32_t>(name.size()) << 8);
    };
    return s;
}

}  // namespace

TEST(BuildGallery, EmptyFolderGivesTheThirtyTwoBuiltIns) {
    Catalogue pictures{{"OLD", false, 1}};
    RecordingGrid grid;
    EXPECT_EQ(BuildGallery(pictures, 0, Source({}), grid), 32);
    ASSERT_EQ(pictures.size(), 32u);
    EXPECT_EQ(pictures[0], (PictureInfo{"Builtin 1", true, 1}));
    EXPECT_EQ(pictures[31], (PictureInfo{"Builtin 32", true, 32}));
    EXPECT_EQ(grid.log.front(), "clear");
    EXPECT_EQ(grid.log.back(), "finish 32");
    EXPECT_EQ(grid.log.size(), 34u);  // no selection: nothing was selected before
}

TEST(BuildGallery, UserFilesFollowInListingOrderWithTheirNames) {
    Catalogue pictures;
    RecordingGrid grid;
    EXPECT_EQ(BuildGallery(pictures, 1, Source({"beach.jpg", "My.Beach.jpg", "Sunset.JPG"}), grid),
              35);
    EXPECT_EQ(pictures[32], (PictureInfo{"BEACH", false, 33, "beach.jpg"}));
    EXPECT_EQ(pictures[33], (PictureInfo{"MY", false, 34, "My.Beach.jpg"}));
    EXPECT_EQ(pictures[34], (PictureInfo{"SUNSET", false, 35, "Sunset.JPG"}));
    EXPECT_EQ(grid.log[1], "add 1 Builtin 1");
    EXPECT_EQ(grid.log[2], "select 1");  // right after its own thumbnail
    EXPECT_EQ(FindPictureByName(pictures, "Sunset"), 35);
}

TEST(BuildGallery, ACorruptFileBetweenTwoGoodOnesIsReportedAndSkipped) {
    Catalogue pictures;
    RecordingGrid grid;
    BuildGallery(pictures, 34, Source({"a.jpg", "bad.jpg", "c.jpg"}), grid);
    ASSERT_EQ(pictures.size(), 34u);
    EXPECT_EQ(pictures[32].Name, "A");
    EXPECT_EQ(pictures[33], (PictureInfo{"C", false, 34, "c.jpg"}));
    const std::vector<std::string> tail(grid.log.end() - 5, grid.log.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"add 33 A", "Error loading picture from gallery! (bad.jpg)",
                                        "add 34 C", "select 34", "finish 34"}));
}

TEST(BuildGallery, SelectionIsCarriedOverByNumber) {
    Catalogue pictures;
    RecordingGrid grid;
    BuildGallery(pictures, 22, Source({"x.jpg"}), grid);
    EXPECT_EQ(std::count(grid.log.begin(), grid.log.end(), "select 22"), 1);
    RecordingGrid after;
    BuildGallery(pictures, 40, Source({"x.jpg"}), after);  // beyond the end: nothing selected
    for (const auto& line : after.log) EXPECT_EQ(line.rfind("select", 0), std::string::npos);
}

TEST(BuildGallery, ABrokenBuiltInIsLeftOutOfTheGridAndTheRestStillCome) {
    GallerySource s = Source({"a.jpg"});
    s.builtInThumbnail = [](int n) {
        if (n == 5) throw base::Error("bad resource");
        return Thumb(1);
    };
    Catalogue pictures;
    RecordingGrid grid;
    EXPECT_EQ(BuildGallery(pictures, 5, s, grid), 33);
    // Picture 5 keeps its number and name (boards and its photograph need them).
    EXPECT_EQ(pictures[4].Number, 5);
    EXPECT_EQ(pictures[32].Name, "A");
    const auto logged = [&](const std::string& line) {
        return std::count(grid.log.begin(), grid.log.end(), line);
    };
    EXPECT_EQ(logged("add 4 " + pictures[3].Name), 1);
    EXPECT_EQ(logged("add 5 " + pictures[4].Name), 0);
    EXPECT_EQ(logged("select 5"), 0);
    EXPECT_EQ(logged("add 33 A"), 1);
    EXPECT_EQ(grid.log.back(), "finish 33");
}

TEST(BuildGallery, FilesWhoseThreadCannotStartAreDecodedAllTheSame) {
    int starts = 0;
    for (int every : {1, 2}) {  // no thread at all; every second one fails
        const base::ThreadStarter start = [&](std::function<void()> task) {
            if (++starts % every == 0)
                throw std::system_error(
                    std::make_error_code(std::errc::resource_unavailable_try_again));
            return base::StartThread(std::move(task));
        };
        Catalogue pictures;
        RecordingGrid grid;
        const std::vector<std::string> files = {"a.jpg", "bb.jpg", "ccc.jpg", "dddd.jpg"};
        EXPECT_EQ(BuildGallery(pictures, 0, Source(files), grid, 2, start), 36) << every;
        EXPECT_EQ(pictures.back().Name, "DDDD");
        EXPECT_EQ(grid.colours.back(), 8u << 8);
    }
}

TEST(BuildGallery, ManyFilesOnWorkerThreadsKeepTheirOrderAndThumbnails) {
    std::vector<std::string> files;
    for (int i = 0; i < 500; ++i)
        files.push_back((i % 7 == 3 ? "bad" : "p") + std::string(1 + i % 13, 'x') + ".jpg");
    std::atomic<int> calls = 0;
    GallerySource s = Source(files);
    auto inner = s.userThumbnail;
    s.userThumbnail = [&calls, inner](const std::string& n) {
        ++calls;
        return inner(n);
    };
    for (int threads : {1, 2, 8}) {
        Catalogue pictures;
        RecordingGrid grid;
        calls = 0;
        const int count = BuildGallery(pictures, 0, s, grid, threads);
        EXPECT_EQ(calls, 500);
        int expectNumber = 33, errors = 0;
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (files[i].rfind("bad", 0) == 0) {
                ++errors;
                continue;
            }
            const PictureInfo& e = pictures[static_cast<std::size_t>(expectNumber - 1)];
            EXPECT_EQ(e.Name, UserPictureName(files[i]));
            EXPECT_EQ(grid.colours[static_cast<std::size_t>(expectNumber - 1)],
                      static_cast<std::uint32_t>(files[i].size()) << 8);
            ++expectNumber;
        }
        EXPECT_EQ(count, 32 + 500 - errors);
    }
}
