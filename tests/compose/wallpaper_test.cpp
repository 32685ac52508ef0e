// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "../support/file_size_limit.h"
#include "compose/goal_text.h"
#include "compose/set_wallpaper.h"

namespace dorvane::compose {
namespace {

namespace fs = std::filesystem;

class FakeDesktop {
public:
    platform::wallpaper::Outcome apply(const QString& absPath) {
        paths.push_back(absPath);
        // The desktop reads the file as it is when asked.
        shown = QImage(absPath);
        return outcome;
    }
    operator DesktopSetter() {
        return [this](const QString& p) { return apply(p); };
    }
    std::vector<QString> paths;
    QImage shown;
    platform::wallpaper::Outcome outcome{true, ""};
};

struct Dialogs {
    bool answer = true;
    std::vector<std::string> asked, told;
    int processed = 0;
    WallpaperDialogs get() {
        return {[this](const std::string& title, const std::string& text) {
                    asked.push_back(title + "|" + text);
                    return answer;
                },
                [this](const std::string& text) { told.push_back(text); }};
    }
};

struct Scene {
    imaging::Bitmap picture{64, 48};
    TextLayer layer{64, 48};
    Scene() { picture.fill(0x336699); }
    void text(const char* goal) {
        GoalBoard b = NewBoard(64);
        b.FontName = "Arial";
        b.FontSize = 20;
        b.FontColor = 0xFFFFFF;
        b.Goal[1] = goal;
        RenderTextLayer(layer, b, 96, 32);
    }
};

TEST(SetWallpaper, NoWritesNothing) {
    QTemporaryDir dir;
    Scene s;
    FakeDesktop desktop;
    Dialogs d;
    d.answer = false;
    EXPECT_EQ(SetWallpaper(s.picture, s.layer, dir.path().toStdString(), desktop, d.get()),
              WallpaperResult::Declined);
    ASSERT_EQ(d.asked.size(), 1u);
    EXPECT_EQ(d.asked[0],
              "Set as background|Do you really want to set the desktop background "
              "image?\r\rWe also recommend you to save your work.");
    EXPECT_TRUE(desktop.paths.empty());
    EXPECT_FALSE(fs::exists(fs::path(dir.path().toStdString()) / kWallpaperFileName));
    EXPECT_TRUE(d.told.empty());
}

TEST(SetWallpaper, TwiceWithNewTextTheDesktopShowsTheNewText) {
    QTemporaryDir dir;
    Scene s;
    FakeDesktop desktop;
    Dialogs d;
    s.text("A");
    ASSERT_EQ(SetWallpaper(s.picture, s.layer, dir.path().toStdString(), desktop, d.get()),
              WallpaperResult::Set);
    const QImage first = desktop.shown;
    s.text("W");
    ASSERT_EQ(SetWallpaper(s.picture, s.layer, dir.path().toStdString(), desktop, d.get()),
              WallpaperResult::Set);
    ASSERT_EQ(desktop.paths.size(), 2u);
    EXPECT_EQ(desktop.paths[0], desktop.paths[1]);
    EXPECT_TRUE(fs::path(desktop.paths[0].toStdString()).is_absolute());
    EXPECT_EQ(first.size(), QSize(64, 48));
    EXPECT_NE(first, desktop.shown);
    EXPECT_EQ(d.told, (std::vector<std::string>{kWallpaperDone, kWallpaperDone}));
}

TEST(SetWallpaper, WithoutTextTheWallpaperIsThePictureAlone) {
    QTemporaryDir dir;
    Scene s;
    FakeDesktop desktop;
    Dialogs d;
    SetWallpaper(s.picture, s.layer, dir.path().toStdString(), desktop, d.get());
    ASSERT_FALSE(desktop.shown.isNull());
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) ASSERT_EQ(desktop.shown.pixel(x, y), qRgb(0x99, 0x66, 0x33));
}

TEST(SetWallpaper, AnUnwritableFolderReportsTheFailureAndKeepsTheDesktop) {
    Scene s;
    FakeDesktop desktop;
    Dialogs d;
    EXPECT_EQ(SetWallpaper(s.picture, s.layer, "/proc/no-such-folder", desktop, d.get()),
              WallpaperResult::Failed);
    EXPECT_TRUE(desktop.paths.empty());
    ASSERT_EQ(d.told.size(), 1u);
    EXPECT_TRUE(d.told[0].starts_with(std::string(kWallpaperFailed) + "\r\rCannot write /proc/"))
        << d.told[0];
}

TEST(SetWallpaper, ADesktopThatRefusesIsReportedWithItsReason) {
    QTemporaryDir dir;
    Scene s;
    FakeDesktop desktop;
    desktop.outcome = {false, "gsettings: no session bus"};
    Dialogs d;
    EXPECT_EQ(SetWallpaper(s.picture, s.layer, dir.path().toStdString(), desktop, d.get()),
              WallpaperResult::NotShown);
    // The file is written, and the message says where and why the desktop did not show it.
    const std::string path = (fs::path(dir.path().toStdString()) / kWallpaperFileName).string();
    ASSERT_EQ(d.told.size(), 1u);
    EXPECT_EQ(d.told[0], "The background picture was saved as\r" + path +
                             "\r\rbut the desktop could not be told to show it: gsettings: no "
                             "session bus.\r\rYou can choose this picture as the background in "
                             "your desktop's settings.");
    EXPECT_EQ(QImage(QString::fromStdString(path)).size(), QSize(64, 48));
}

TEST(SetWallpaper, AWriteThatFailsHalfWayLeavesTheEarlierWallpaperWhole) {
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    Scene s;
    FakeDesktop desktop;
    Dialogs d;
    ASSERT_EQ(SetWallpaper(s.picture, s.layer, folder, desktop, d.get()), WallpaperResult::Set);
    const fs::path file = folder / kWallpaperFileName;
    const auto before = fs::file_size(file);
    imaging::Bitmap bigger(256, 192);
    TextLayer layer(256, 192);
    WallpaperResult result;
    {
        const test::FileSizeLimit limit(before + 1000);  // the new file breaks off after that
        result = SetWallpaper(bigger, layer, folder, desktop, d.get());
    }
    EXPECT_EQ(result, WallpaperResult::Failed);
    EXPECT_TRUE(d.told.back().starts_with(kWallpaperFailed));
    EXPECT_EQ(fs::file_size(file), before);
    EXPECT_EQ(QImage(QString::fromStdString(file.string())).size(), QSize(64, 48));
    EXPECT_EQ(desktop.paths.size(), 1u);  // the desktop was not told about a broken file
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);  // no temporary file left
}

}  // namespace
}  // namespace dorvane::compose
