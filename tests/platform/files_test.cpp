// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "base/error.h"
#include "temp_folder.h"

namespace fs = std::filesystem;
using namespace dorvane::platform;

namespace {

void Write(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

TEST(MatchesPattern, TableOfNamesAndPatterns) {
    struct Row {
        const char* name;
        const char* pattern;
        bool match;
    };
    const Row rows[] = {
        {"photo.jpg", "*.jpg", true},
        {"PHOTO.JPG", "*.jpg", true},
        {"Photo.Jpg", "*.JPG", true},
        {"holiday.jpeg", "*.jpg", false},
        {"picture.png", "*.jpg", false},
        {"a.jpg.png", "*.jpg", false},
        {"My.Beach.jpg", "*.jpg", true},
        {".jpg", "*.jpg", true},
        {"plan.GLS", "*.gls", true},
        {"plan.gls.bak", "*.GLS", false},
        {"x", "?", true},
        {"xy", "?", false},
        {"aaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*c", false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(MatchesPattern(r.name, r.pattern), r.match) << r.name << " ~ " << r.pattern;
}

TEST(SameNameIgnoringCase, FoldsAsciiLettersOnly) {
    EXPECT_TRUE(SameNameIgnoringCase("Beach.JPG", "beach.jpg"));
    EXPECT_FALSE(SameNameIgnoringCase("beach.jpg", "beach.jpeg"));
    EXPECT_FALSE(SameNameIgnoringCase("\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89"));  // é vs É
}

TEST(FindFiles, ListsMatchingFilesInAnyCaseButNoFolders) {
    TempFolder dir;
    Write(dir / "b.JPG", "x");
    Write(dir / "a.jpg", "x");
    Write(dir / ".hidden.jpg", "x");
    Write(dir / "c.jpeg", "x");
    Write(dir / "notes.txt", "x");
    fs::create_directory(dir / "folder.jpg");
    EXPECT_EQ(FindFiles(dir.path(), "*.jpg"),
              (std::vector<std::string>{".hidden.jpg", "a.jpg", "b.JPG"}));
}

TEST(FindFiles, MissingFolderGivesNothing) {
    TempFolder dir;
    EXPECT_TRUE(FindFiles(dir / "nowhere", "*.jpg").empty());
}

TEST(ResolveName, FindsAFileWhoseNameDiffersOnlyInCase) {
    TempFolder dir;
    Write(dir / "beach.jpg", "sand");
    EXPECT_EQ(ResolveName(dir.path(), "BEACH.jpg"), dir / "beach.jpg");
    EXPECT_EQ(ResolveName(dir.path(), "beach.jpg"), dir / "beach.jpg");
    EXPECT_EQ(ResolveName(dir.path(), "MY.jpg"), dir / "MY.jpg");  // absent: plain path
}

TEST(ResolveName, PrefersTheExactName) {
    TempFolder dir;
    Write(dir / "Beach.jpg", "1");
    Write(dir / "BEACH.jpg", "2");
    EXPECT_EQ(ResolveName(dir.path(), "BEACH.jpg"), dir / "BEACH.jpg");
}

TEST(CopyFileNoOverwrite, CopiesByteForByte) {
    TempFolder dir;
    std::string bytes(200000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    Write(dir / "src.jpg", bytes);
    fs::create_directory(dir / "gallery");
    ASSERT_EQ(CopyFileNoOverwrite(dir / "src.jpg", dir / "gallery", "Photo.Jpg"),
              CopyOutcome::Copied);
    EXPECT_EQ(Read(dir / "gallery" / "Photo.Jpg"), bytes);
}

TEST(CopyFileNoOverwrite, RefusesAnExistingNameInAnyCase) {
    TempFolder dir;
    Write(dir / "new.jpg", "new");
    fs::create_directory(dir / "g");
    Write(dir / "g" / "BEACH.jpg", "old");
    for (const char* name : {"beach.jpg", "BEACH.jpg"})
        EXPECT_EQ(CopyFileNoOverwrite(dir / "new.jpg", dir / "g", name), CopyOutcome::NameTaken);
    Write(dir / "a.jpg", "a");  // the gallery's own file onto itself
    EXPECT_EQ(CopyFileNoOverwrite(dir / "a.jpg", dir.path(), "a.jpg"), CopyOutcome::NameTaken);
    EXPECT_EQ(Read(dir / "g" / "BEACH.jpg"), "old");
    EXPECT_EQ(Read(dir / "a.jpg"), "a");
    EXPECT_EQ(FindFiles(dir / "g", "*").size(), 1u);
}

TEST(CopyFileNoOverwrite, OtherFailuresThrowTheSystemsReasonAndLeaveNothing) {
    TempFolder dir;
    Write(dir / "a.jpg", "a");
    Write(dir / "file", "not a folder");
    fs::create_directory(dir / "sub");
    struct Row {
        fs::path source, folder;
        std::string name, reason;
    };
    const Row rows[] = {
        {dir / "gone.jpg", dir.path(), "b.jpg",
         "Cannot read the picture: No such file or directory"},
        {dir / "sub", dir.path(), "c.jpg", "Cannot read the picture: Is a directory"},
        {dir / "a.jpg", dir / "missing-folder", "a.jpg", "No such file or directory"},
        {dir / "a.jpg", dir / "file", "a.jpg", "Not a directory"},
        {dir / "a.jpg", "/sys", "a.jpg", "Permission denied"},  // even for root
        {dir / "a.jpg", dir.path(), "../escape.jpg", "Not a file name: ../escape.jpg"},
        {dir / "a.jpg", dir.path(), "", "Not a file name: "},
    };
    for (const Row& r : rows) {
        try {
            CopyFileNoOverwrite(r.source, r.folder, r.name);
            ADD_FAILURE() << r.reason;
        } catch (const dorvane::base::Error& e) {
            EXPECT_EQ(e.what(), r.reason);
        }
    }
    EXPECT_EQ(FindFiles(dir.path(), "*").size(), 2u);  // a.jpg and file: nothing left behind
}

TEST(DeleteFileIgnoringCase, DeletesTheFileInAnyCase) {
    TempFolder dir;
    Write(dir / "plan.gls", "x");
    EXPECT_TRUE(DeleteFileIgnoringCase(dir.path(), "PLAN.GLS"));
    EXPECT_FALSE(fs::exists(dir / "plan.gls"));
    EXPECT_FALSE(DeleteFileIgnoringCase(dir.path(), "PLAN.GLS"));
}

TEST(CreateFolders, CreatesParentsAndLeavesExistingContents) {
    TempFolder dir;
    CreateFolders(dir / "a" / "MyGallery");
    Write(dir / "a" / "MyGallery" / "keep.jpg", "k");
    CreateFolders(dir / "a" / "MyGallery");
    EXPECT_EQ(Read(dir / "a" / "MyGallery" / "keep.jpg"), "k");
    CreateFolders("/proc/cannot/create/here");  // not reported
}
