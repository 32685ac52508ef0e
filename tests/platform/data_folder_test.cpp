// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/data_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "base/error.h"
#include "temp_folder.h"

namespace fs = std::filesystem;
using namespace dorvane::platform;

const auto kNotInstalled = [](const fs::path&) { return false; };

TEST(ChooseDataFolder, BesideTheProgramWhenWritable) {
    DataFolderInputs in{"/opt/dorvane", "/home/u/.data", "/home/u",
                        [](const fs::path&) { return true; }, kNotInstalled};
    EXPECT_EQ(ChooseDataFolder(in), fs::path("/opt/dorvane"));
}

TEST(ChooseDataFolder, XdgDataHomeWhenTheProgramFolderIsReadOnly) {
    DataFolderInputs in{"/usr/bin", "/home/u/.data", "/home/u",
                        [](const fs::path&) { return false; }, kNotInstalled};
    EXPECT_EQ(ChooseDataFolder(in), fs::path("/home/u/.data/dorvane"));
    in.xdgDataHome.clear();
    EXPECT_EQ(ChooseDataFolder(in), fs::path("/home/u/.local/share/dorvane"));
    in.xdgDataHome = "relative/path";  // invalid by the XDG rules: ignored
    EXPECT_EQ(ChooseDataFolder(in), fs::path("/home/u/.local/share/dorvane"));
}

// An installed program keeps its data in XDG even when its bin/ is writable; a
// portable one keeps it beside itself unless its folder is read-only.
TEST(ChooseDataFolder, DecidedByLayoutThenByWritability) {
    struct Row {
        bool installed, writable;
        const char* expected;
    };
    const Row rows[] = {
        {true, true, "/home/u/.data/dorvane"},
        {true, false, "/home/u/.data/dorvane"},
        {false, true, "/home/u/.local/bin"},
        {false, false, "/home/u/.data/dorvane"},
    };
    for (const Row& r : rows) {
        DataFolderInputs in{"/home/u/.local/bin", "/home/u/.data", "/home/u",
                            [&](const fs::path&) { return r.writable; },
                            [&](const fs::path&) { return r.installed; }};
        EXPECT_EQ(ChooseDataFolder(in), fs::path(r.expected))
            << "installed " << r.installed << ", writable " << r.writable;
    }
}

// Without a home folder (neither $HOME nor the password database has one) the data
// folder is refused, never put in a shared place such as /tmp.
TEST(ChooseDataFolder, RefusesToGuessWithoutAHome) {
    for (const char* home : {"", "relative/home"}) {
        DataFolderInputs in{"/usr/bin", "", home, [](const fs::path&) { return false; },
                            kNotInstalled};
        EXPECT_THROW(ChooseDataFolder(in), dorvane::base::Error) << home;
        in.xdgDataHome = "/home/u/.data";  // no home needed then
        EXPECT_EQ(ChooseDataFolder(in), fs::path("/home/u/.data/dorvane"));
    }
}

TEST(IsInstalledLayout, ABinBesideAShareThatHoldsOurDesktopEntry) {
    TempFolder root;
    const fs::path entry =
        fs::path("share") / "applications" / (std::string(kDesktopId) + ".desktop");
    fs::create_directories(root / "usr/bin");
    fs::create_directories((root / "usr") / entry.parent_path());
    EXPECT_FALSE(IsInstalledLayout(root / "usr/bin"));  // share/ without our entry
    std::ofstream((root / "usr") / entry) << "[Desktop Entry]\n";
    EXPECT_TRUE(IsInstalledLayout(root / "usr/bin"));
    fs::create_directories(root / "usr/app");  // beside share/, but not a bin/
    EXPECT_FALSE(IsInstalledLayout(root / "usr/app"));
    fs::create_directories(root / "opt/bin");
    fs::create_directories((root / "opt") / entry);  // a folder of that name
    EXPECT_FALSE(IsInstalledLayout(root / "opt/bin"));
    EXPECT_FALSE(IsInstalledLayout(ProgramFolder()));  // this test, in the build tree
}

TEST(DataFolderHelp, NamesTheFolder) {
    EXPECT_NE(DataFolderHelp("/home/u/.local/share/dorvane").find("/home/u/.local/share/dorvane/"),
              std::string::npos);
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
