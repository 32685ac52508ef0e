// SPDX-License-Identifier: GPL-3.0-or-later
// "dorvane monitors" and "dorvane apply" on an X server with several RandR
// monitors and no desktop: each monitor's part of the root shows the board as
// "dorvane render" composes it at that monitor's size.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "../platform/temp_folder.h"
#include "../support/xvfb.h"
#include "imaging/bitmap_image.h"

namespace dorvane::app {
namespace {

namespace fs = std::filesystem;

struct Finished {
    int status;
    QString out, err;
};

Finished RunProgram(const QString& program, const QStringList& args, const QString& display) {
    QProcess p;
    QProcessEnvironment env;
    env.insert("DISPLAY", display);
    p.setProcessEnvironment(env);
    p.start(program, args);
    const bool done = p.waitForFinished(120000);
    return {done && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

imaging::Bitmap Crop(const imaging::Bitmap& b, int x0, int y0, int width, int height) {
    imaging::Bitmap out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) out.setPixel(x, y, b.pixel(x0 + x, y0 + y));
    return out;
}

struct Area {
    const char* name;
    int x, y, width, height;
};

class Monitors : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy_file(DORVANE_EXE, exe_);
        std::ifstream in(fs::path(DORVANE_SOURCE_DIR) / "tests/boards/data/plan.gls",
                         std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), {});
        // Styled on a 640 x 480 screen, box towards the right.
        text.replace(text.find("TextPosX=40"), 11, "TextPosX=300");
        text.replace(text.find("TextWidth=600"), 13,
                     "TextWidth=300\r\nScreenWidth=640\r\nScreenHeight=480");
        std::ofstream(board_, std::ios::binary) << text;
    }
    void Layout(const XvfbServer& server, std::initializer_list<Area> areas) {
        for (const Area& a : areas) {
            const QString geometry =
                QString("%1/100x%2/100+%3+%4").arg(a.width).arg(a.height).arg(a.x).arg(a.y);
            // The first takes the place of Xvfb's own monitor (its output "screen").
            ASSERT_EQ(
                RunProgram("xrandr", {"--setmonitor", a.name, geometry, first_ ? "screen" : "none"},
                           server.display())
                    .status,
                0);
            first_ = false;
        }
    }
    Finished Dorvane(const QStringList& args, const XvfbServer& server) {
        return RunProgram(QString::fromStdString(exe_.string()), args, server.display());
    }
    imaging::Bitmap Rendered(int width, int height) {
        const fs::path out = folder_ / "rendered.bmp";
        const Finished r =
            RunProgram(QString::fromStdString(exe_.string()),
                       {"render", Board(), "--size", QString("%1x%2").arg(width).arg(height), "-o",
                        QString::fromStdString(out.string())},
                       {});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        return imaging::FromQImage(QImage(QString::fromStdString(out.string())));
    }
    QString Board() const { return QString::fromStdString(board_.string()); }
    bool first_ = true;
    TempFolder folder_;
    fs::path exe_ = folder_ / "dorvane";
    fs::path board_ = folder_ / "styled.gls";
};

TEST_F(Monitors, EachMonitorShowsTheBoardComposedAtItsSize_AndOneCanBeSetAlone) {
    XvfbServer server(QStringLiteral("1080x480x24"));
    const Area left{"LEFT", 0, 0, 640, 480}, right{"RIGHT", 640, 0, 320, 240},
        tall{"TALL", 960, 0, 120, 480};
    Layout(server, {left, right, tall});
    const Finished list = Dorvane({"monitors"}, server);
    ASSERT_EQ(list.status, 0) << list.err.toStdString();
    for (const Area& a : {left, right, tall})
        EXPECT_TRUE(list.out.contains(QString("%1\t%2x%3\t+%4+%5\t")
                                          .arg(a.name)
                                          .arg(a.width)
                                          .arg(a.height)
                                          .arg(a.x)
                                          .arg(a.y)))
            << list.out.toStdString();
    EXPECT_EQ(list.out.count('\n'), 3);

    const Finished run = Dorvane({"apply", Board()}, server);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    imaging::Bitmap root = ReadRootPixels(server.display());
    for (const Area& a : {left, right, tall})
        EXPECT_EQ(Crop(root, a.x, a.y, a.width, a.height), Rendered(a.width, a.height)) << a.name;
    EXPECT_EQ(root.pixel(800, 400), 0u);  // on no monitor: black
    EXPECT_TRUE(fs::exists(folder_ / "Dorvane_wallpaper_RIGHT.bmp"));
    EXPECT_FALSE(fs::exists(folder_ / "Dorvane_wallpaper.bmp"));

    // One monitor alone: the others keep what they show.
    const imaging::Bitmap tallBefore = Crop(root, tall.x, tall.y, tall.width, tall.height);
    ASSERT_EQ(Dorvane({"apply", Board(), "--monitor", "NOPE"}, server).status, 1);
    const Finished one = Dorvane({"apply", Board(), "--monitor", "TALL"}, server);
    ASSERT_EQ(one.status, 0) << one.err.toStdString();
    root = ReadRootPixels(server.display());
    EXPECT_EQ(Crop(root, tall.x, tall.y, tall.width, tall.height), tallBefore);
    EXPECT_EQ(Crop(root, left.x, left.y, left.width, left.height), Rendered(640, 480));
}

TEST_F(Monitors, HostileLayoutsAreComposedOrLeftOutWithANote) {
    XvfbServer server(QStringLiteral("1024x64x24"));
    // Sixteen monitors, one of them 1x1, two mirrored.
    std::vector<std::string> names;
    for (int i = 0; i < 14; ++i) names.push_back("M" + std::to_string(i));
    for (int i = 0; i < 14; ++i) Layout(server, {{names[i].c_str(), i * 64, 0, 64, 48}});
    Layout(server, {{"DOT", 1000, 60, 1, 1}, {"MIRROR", 0, 0, 64, 48}});
    const Finished run = Dorvane({"apply", Board()}, server);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("DOT (1x1) is too small")) << run.err.toStdString();
    const imaging::Bitmap root = ReadRootPixels(server.display());
    EXPECT_EQ(Crop(root, 13 * 64, 0, 64, 48), Rendered(64, 48));
}

}  // namespace
}  // namespace dorvane::app
