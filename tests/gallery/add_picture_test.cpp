// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/add_picture.h"

#include <gtest/gtest.h>

#include <fstream>

#include "../platform/temp_folder.h"
#include "../support/fake_dialogs.h"

namespace fs = std::filesystem;
using namespace dorvane::gallery;

namespace {

struct Fixture {
    TempFolder dir;
    fs::path gallery = dir / "MyGallery";
    FakeDialogs dialogs;
    std::vector<std::string> steps;
    AddPictureSteps actions{[this](const std::function<void()>& then) {
                                steps.push_back("build");
                                then();
                            },
                            [this](const std::string& key) { steps.push_back("select " + key); }};

    Fixture() { fs::create_directory(gallery); }
    std::string File(const std::string& name, const std::string& bytes = "JPEG") {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return (dir / name).string();
    }
    bool Add(const std::optional<std::string>& chosen) {
        dialogs.files.push_back(chosen);
        const std::size_t before = steps.size();
        AddPictureFromDisk(dialogs, gallery, actions);
        return steps.size() > before;  // copied in: the gallery was built anew
    }
};

}  // namespace

TEST(AddPictureFromDisk, TheOpenDialogHasItsFixedSettings) {
    Fixture f;
    f.Add(std::nullopt);
    ASSERT_EQ(f.dialogs.requests.size(), 1u);
    const auto& r = f.dialogs.requests[0];
    EXPECT_EQ(r.title, "Find image...");
    EXPECT_EQ(r.filterName, "JPEG Image File");
    EXPECT_EQ(r.filterPattern, "*.jpg");
    EXPECT_EQ(r.defaultSuffix, "JPG");
    EXPECT_EQ(r.folder, "");
    EXPECT_TRUE(r.picturePreview);
}

TEST(AddPictureFromDisk, CancelChangesNothing) {
    Fixture f;
    EXPECT_FALSE(f.Add(std::nullopt));
    EXPECT_TRUE(f.steps.empty());
    EXPECT_TRUE(f.dialogs.shown.empty());
    EXPECT_TRUE(fs::is_empty(f.gallery));
}

TEST(AddPictureFromDisk, JpgInAnyCaseIsCopiedAndSelectedByItsFirstName) {
    Fixture f;
    for (const char* name : {"PHOTO.JPG", "photo2.jpg", "Photo3.Jpg", "My.Beach.jpg"})
        EXPECT_TRUE(f.Add(f.File(name, name))) << name;
    EXPECT_EQ(f.steps, (std::vector<std::string>{"build", "select PHOTO", "build", "select photo2",
                                                 "build", "select Photo3", "build", "select My"}));
    std::ifstream in(f.gallery / "My.Beach.jpg");
    std::string content;
    in >> content;
    EXPECT_EQ(content, "My.Beach.jpg");
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST(AddPictureFromDisk, OtherFilesAreRefusedWithTheJpgMessage) {
    Fixture f;
    fs::create_directory(f.dir / "album.jpg");
    std::ofstream(f.dir / "album.jpg" / "picture.png") << "x";
    for (const std::string& chosen : {f.File("holiday.jpeg"), f.File("picture.png"),
                                      (f.dir / "album.jpg" / "picture.png").string()})
        EXPECT_FALSE(f.Add(chosen)) << chosen;
    EXPECT_EQ(f.dialogs.texts("inform"),
              std::vector<std::string>(3,
                                       "Only JPG images are valid!\r\rPlease, choose a "
                                       "different image or convert it."));
    EXPECT_TRUE(f.steps.empty());
    EXPECT_TRUE(fs::is_empty(f.gallery));
}

TEST(AddPictureFromDisk, TheSameFileTwiceIsRefusedTheSecondTime) {
    Fixture f;
    const std::string beach = f.File("beach.jpg");
    EXPECT_TRUE(f.Add(beach));
    EXPECT_FALSE(f.Add(beach));
    EXPECT_FALSE(f.Add(f.File("BEACH.JPG")));  // differs only in case: refused too
    EXPECT_EQ(f.dialogs.texts("inform"),
              std::vector<std::string>(2,
                                       "An image with the same name already exists in your "
                                       "gallery!"));
    EXPECT_EQ(f.steps.size(), 2u);  // one build and one selection, from the first add
}

TEST(AddPictureFromDisk, OtherCopyFailuresNameTheFolderAndTheReason) {
    Fixture f;
    std::ofstream(f.gallery / "inside.jpg") << "x";  // a picture already in the gallery
    struct Row {
        std::string chosen;
        fs::path folder;
        std::string message;
    };
    const Row rows[] = {
        {(f.gallery / "inside.jpg").string(), f.gallery, kAlreadyInGalleryMessage},
        {(f.dir / "vanished.jpg").string(), f.gallery,
         "The picture could not be copied into the gallery folder \"" + f.gallery.string() +
             "\".\r\rCannot read the picture: No such file or directory."},
        {f.File("sea.jpg"), "/sys/",  // not writable, even for root
         "The picture could not be copied into the gallery folder \"/sys\".\r\rPermission "
         "denied."},
    };
    for (const Row& r : rows) {
        f.dialogs.shown.clear();
        f.dialogs.files.push_back(r.chosen);
        AddPictureFromDisk(f.dialogs, r.folder, f.actions);
        EXPECT_EQ(f.dialogs.texts("inform"), std::vector<std::string>{r.message}) << r.chosen;
    }
    EXPECT_TRUE(f.steps.empty());
}
