// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/monitor_wallpaper.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "compose/overlay.h"
#include "compose/set_wallpaper.h"

namespace dorvane::compose {
namespace {

namespace fs = std::filesystem;
using platform::Monitor;

// Records what it was asked to show, reading each file as the desktop would.
class FakeDesktop : public platform::wallpaper::Backend {
public:
    explicit FakeDesktop(platform::wallpaper::MonitorLayout layout) : layout_(layout) {}
    QString name() const override { return "fake"; }
    platform::wallpaper::MonitorLayout monitorLayout() const override { return layout_; }
    platform::wallpaper::Outcome apply(const QString& path) override {
        single = QImage(path);
        return {true, "single"};
    }
    platform::wallpaper::Outcome applyEach(
        const QList<platform::wallpaper::MonitorPicture>& pictures) override {
        each.clear();
        for (const auto& p : pictures) each[p.name] = QImage(p.path);
        return {true, "each"};
    }
    platform::wallpaper::Outcome applySpanned(const QString& path) override {
        spanned = QImage(path);
        return {true, "spanned"};
    }
    QImage single, spanned;
    std::map<QString, QImage> each;

private:
    platform::wallpaper::MonitorLayout layout_;
};

Monitor At(const char* name, int x, int y, int width, int height) {
    return {name, x, y, width, height, width, height, x == 0 && y == 0};
}

QImage Expected(const MonitorWallpaperJob& job, int width, int height) {
    ComposedScreen c = ComposeScreen(job.board, *job.photo, {width, height},
                                     StyledScreen(job.board, job.styledFallback), job.dpi);
    OverlayTextLayer(c.screen, c.layer);
    return QImage(c.screen.data(), width, height, static_cast<qsizetype>(c.screen.stride()),
                  QImage::Format_RGB888)
        .convertToFormat(QImage::Format_RGB32);
}

class MonitorWallpapers : public ::testing::Test {
protected:
    void SetUp() override {
        for (int y = 0; y < photo_.height(); ++y)
            for (int x = 0; x < photo_.width(); ++x)
                photo_.setPixel(x, y, static_cast<std::uint32_t>(x | (y << 8) | 0x400000));
        job_.board = NewBoard(320);
        job_.board.FontName = "Arial";
        job_.board.FontColor = 0xFFFFFF;
        job_.board.Goal[1] = "Run a marathon";
        job_.board.ScreenWidth = 320;
        job_.board.ScreenHeight = 240;
        job_.photo = &photo_;
        job_.folder = dir_.path().toStdString();
        job_.styledFallback = {320, 240};
    }
    QImage Part(const QImage& span, int x, int y, int w, int h) {
        return span.copy(x, y, w, h).convertToFormat(QImage::Format_RGB32);
    }
    bool Exists(const char* name) { return fs::exists(fs::path(job_.folder) / name); }
    imaging::Bitmap photo_{400, 300};
    QTemporaryDir dir_;
    MonitorWallpaperJob job_;
};

TEST_F(MonitorWallpapers, OwnPicturesPerMonitor_OldFilesGoAway) {
    FakeDesktop desktop(platform::wallpaper::MonitorLayout::Each);
    job_.monitors = {At("DP-1", 0, 0, 320, 240), At("HDMI 2", 320, 0, 160, 240)};
    ASSERT_EQ(SetMonitorWallpapers(job_, desktop).status, MonitorWallpaperResult::Status::Set);
    EXPECT_EQ(desktop.each["DP-1"].convertToFormat(QImage::Format_RGB32), Expected(job_, 320, 240));
    EXPECT_EQ(desktop.each["HDMI 2"].convertToFormat(QImage::Format_RGB32),
              Expected(job_, 160, 240));
    EXPECT_TRUE(Exists("Dorvane_wallpaper_HDMI_2.bmp"));
    // The second monitor unplugged: its file goes, the single file comes.
    job_.monitors.pop_back();
    ASSERT_EQ(SetMonitorWallpapers(job_, desktop).status, MonitorWallpaperResult::Status::Set);
    EXPECT_EQ(desktop.single.convertToFormat(QImage::Format_RGB32), Expected(job_, 320, 240));
    EXPECT_FALSE(Exists("Dorvane_wallpaper_HDMI_2.bmp"));
    EXPECT_FALSE(Exists("Dorvane_wallpaper_DP-1.bmp"));
    EXPECT_TRUE(Exists(kWallpaperFileName));
}

TEST_F(MonitorWallpapers, SpannedPictureHoldsEachMonitorsCompositionAtItsPlace) {
    FakeDesktop desktop(platform::wallpaper::MonitorLayout::Spanned);
    // Left of and above the primary: the picture starts at the layout's top-left.
    job_.monitors = {At("A", 0, 0, 320, 240), At("B", -160, -100, 160, 100)};
    ASSERT_EQ(SetMonitorWallpapers(job_, desktop).status, MonitorWallpaperResult::Status::Set);
    ASSERT_EQ(desktop.spanned.size(), QSize(480, 340));
    EXPECT_EQ(Part(desktop.spanned, 160, 100, 320, 240), Expected(job_, 320, 240));
    EXPECT_EQ(Part(desktop.spanned, 0, 0, 160, 100), Expected(job_, 160, 100));
    EXPECT_EQ(desktop.spanned.pixel(10, 300), qRgb(0, 0, 0));  // on no monitor

    // B alone: A's part stays as it was.
    const QImage before = desktop.spanned;
    job_.board.Goal[1] = "Swim the lake";
    job_.only = "B";
    ASSERT_EQ(SetMonitorWallpapers(job_, desktop).status, MonitorWallpaperResult::Status::Set);
    EXPECT_EQ(Part(desktop.spanned, 160, 100, 320, 240), Part(before, 160, 100, 320, 240));
    EXPECT_EQ(Part(desktop.spanned, 0, 0, 160, 100), Expected(job_, 160, 100));
}

TEST_F(MonitorWallpapers, HostileLayoutsSayWhatWasDone) {
    FakeDesktop desktop(platform::wallpaper::MonitorLayout::Each);
    for (int i = 0; i < 16; ++i)
        job_.monitors.push_back(
            At(i == 5 ? "DOT" : "M", i * 20, 0, i == 5 ? 1 : 20, i == 5 ? 1 : 12));
    MonitorWallpaperResult r = SetMonitorWallpapers(job_, desktop);
    ASSERT_EQ(r.status, MonitorWallpaperResult::Status::Set) << r.message;
    ASSERT_EQ(r.notes.size(), 1u);
    EXPECT_NE(r.notes[0].find("DOT (1x1) is too small"), std::string::npos) << r.notes[0];
    EXPECT_EQ(r.files.size(), 15u);  // one name, fifteen files: M, M~2, ...
    EXPECT_TRUE(Exists("Dorvane_wallpaper_M~15.bmp"));

    job_.only = "NOPE";
    r = SetMonitorWallpapers(job_, desktop);
    EXPECT_EQ(r.status, MonitorWallpaperResult::Status::Failed);
    EXPECT_NE(r.message.find("there is no monitor NOPE"), std::string::npos) << r.message;
    job_.only.clear();
    job_.monitors = {At("DOT", 0, 0, 1, 1)};
    r = SetMonitorWallpapers(job_, desktop);
    EXPECT_EQ(r.status, MonitorWallpaperResult::Status::Failed);
    EXPECT_EQ(r.message, "there is no monitor to compose the board for");
}

TEST(MonitorWallpaperMessages, SayWhatHappenedWithTheNotes) {
    using S = MonitorWallpaperResult::Status;
    const struct {
        MonitorWallpaperResult result;
        WallpaperResult expected;
        std::vector<std::string> said;  // parts of the message
    } cases[] = {
        {{S::Set, "fake", {"the monitor DOT (1x1) is too small"}, {}},
         WallpaperResult::Set,
         {std::string(kWallpaperDone) + "\r\rthe monitor DOT (1x1) is too small"}},
        {{S::NotShown,
          "XFCE: xfdesktop is not running",
          {},
          {"/d/Dorvane_wallpaper_A.bmp", "/d/Dorvane_wallpaper_B.bmp"}},
         WallpaperResult::NotShown,
         {"/d/Dorvane_wallpaper_A.bmp\r/d/Dorvane_wallpaper_B.bmp", "xfdesktop is not running"}},
        {{S::Failed, "disk full", {}, {}},
         WallpaperResult::Failed,
         {std::string(kWallpaperFailed) + "\r\rdisk full"}},
    };
    for (const auto& c : cases) {
        const WallpaperOutcome outcome = DescribeMonitorResult(c.result);
        EXPECT_EQ(outcome.result, c.expected) << c.result.message;
        for (const std::string& part : c.said)
            EXPECT_NE(outcome.message.find(part), std::string::npos) << outcome.message;
    }
}

}  // namespace
}  // namespace dorvane::compose
