// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/data_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "temp_folder.h"

namespace fs = std::filesystem;
using namespace dorvane::platform;

TEST(ChooseDataFolder, BesideTheProgramWhenWritable) {
    DataFolderInputs in{"/opt/dorvane", "/home/u/.data", "/home/u",
                        [](const fs::path&) { return true; }};
    EXPECT_EQ(ChooseDataFolder(in), fs::path("/opt/dorvane"));
}

TEST(ChooseDataFolder, XdgDataHomeWhenTheProgramFolderIsReadOnly) {
    DataFolderInputs in{"/usr/bin", "/home/u/.data", "/home/u",
                        [](const fs::path&) { return false; }};
    EXPECT_EQ(ChooseDataFolder(in), fs::path("/home/u/.data/dorvane"));
    in.xdgDataHome.clear();
    EXPECT_EQ(ChooseDataFolder(in), fs::path("/home/u/.local/share/dorvane"));
    in.xdgDataHome = "relative/path";  // invalid by the XDG rules: ignored
    EXPECT_EQ(ChooseDataFolder(in), fs::path("/home/u/.local/share/dorvane"));
}

TEST(FolderIsWritable, ProbesAndLeavesNothingBehind) {
    TempFolder dir;
    EXPECT_TRUE(FolderIsWritable(dir.path()));
    EXPECT_TRUE(fs::is_empty(dir.path()));
    EXPECT_FALSE(FolderIsWritable(dir / "missing"));
    if (::geteuid() != 0) {  // root writes anywhere
        fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(FolderIsWritable(dir.path()));
    }
}

TEST(ProgramFolder, IsTheFolderOfThisTestExecutable) {
    EXPECT_TRUE(fs::exists(ProgramFolder()));
    EXPECT_TRUE(fs::is_directory(ProgramFolder()));
}
