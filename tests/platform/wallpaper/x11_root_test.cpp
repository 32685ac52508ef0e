// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wallpaper/x11_root.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <optional>

#include "../../support/xvfb.h"
#include "../temp_folder.h"
#include "base/error.h"
#include "compose/bmp_writer.h"
#include "fake_runner.h"
#include "imaging/scale.h"
#include "platform/wallpaper/backends.h"
#include "platform/wallpaper/x11_picture_file.h"
#include "platform/wallpaper/x11_pixels.h"

namespace dorvane::platform::wallpaper {
namespace {

imaging::Bitmap Pattern(int width, int height, int seed) {
    imaging::Bitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.setPixel(x, y,
                       static_cast<std::uint32_t>((x * 7 + seed) & 255) |
                           static_cast<std::uint32_t>((y * 5 + seed) & 255) << 8 |
                           static_cast<std::uint32_t>(((x ^ y) + seed * 3) & 255) << 16);
    return b;
}

imaging::Bitmap Crop(const imaging::Bitmap& b, int x0, int y0, int width, int height) {
    imaging::Bitmap out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) out.setPixel(x, y, b.pixel(x0 + x, y0 + y));
    return out;
}

imaging::Bitmap Stretched(const imaging::Bitmap& b, int width, int height) {
    imaging::Bitmap out(width, height);
    imaging::ScaleBitmap(b, out);
    return out;
}

bool PixmapExists(const QString& display, std::uint32_t id) {
    xcb_connection_t* c = xcb_connect(display.toLatin1().constData(), nullptr);
    xcb_generic_error_t* error = nullptr;
    std::free(xcb_get_geometry_reply(c, xcb_get_geometry(c, id), &error));
    const bool exists = error == nullptr;
    std::free(error);
    xcb_disconnect(c);
    return exists;
}

class X11Root : public ::testing::Test {
protected:
    void Use(const XvfbServer& server) { qputenv("DISPLAY", server.display().toLatin1()); }
    Outcome Apply(const imaging::Bitmap& picture) {
        compose::WriteBmpFile(path_, picture);
        return MakeX11RootBackend(runner_)->apply(QString::fromStdString(path_.string()));
    }
    TempFolder folder_;
    std::filesystem::path path_ = folder_ / "wall paper 'ü'.bmp";
    FakeRunner runner_;
};

TEST_F(X11Root, AppliedTwiceAtOnePath_ShowsTheNewContent_AndFreesTheFirstPixmap) {
    XvfbServer server;
    Use(server);
    const imaging::Bitmap a = Pattern(320, 240, 1), b = Pattern(320, 240, 90);
    const Outcome first = Apply(a);
    ASSERT_TRUE(first.ok) << first.detail.toStdString();
    EXPECT_EQ(ReadRootPixels(server.display()), a);
    const std::uint32_t firstId = x11::RootPixmapId();
    ASSERT_NE(firstId, 0u);

    const Outcome second = Apply(b);
    ASSERT_TRUE(second.ok) << second.detail.toStdString();
    EXPECT_EQ(ReadRootPixels(server.display()), b);
    const std::uint32_t secondId = x11::RootPixmapId();
    EXPECT_NE(secondId, firstId);
    EXPECT_TRUE(PixmapExists(server.display(), secondId));
    EXPECT_FALSE(PixmapExists(server.display(), firstId));
    EXPECT_TRUE(runner_.programs.empty());  // our own setter did it
}

TEST_F(X11Root, StretchesThePictureOntoEachMonitor) {
    XvfbServer server;
    Use(server);
    const imaging::Bitmap picture = Pattern(64, 48, 7);
    ASSERT_TRUE(Apply(picture).ok);
    EXPECT_EQ(ReadRootPixels(server.display()), Stretched(picture, 320, 240));

    // Two monitors side by side, 200 and 120 pixels wide (the first takes the
    // server's one output, whose own monitor then goes away).
    for (const char* monitor :
         {"LEFT 200/50x240/60+0+0 screen", "RIGHT 120/30x240/60+200+0 none"}) {
        QStringList args{"-display", server.display(), "--setmonitor"};
        args += QString::fromLatin1(monitor).split(' ');
        QProcess xrandr;
        xrandr.start("xrandr", args);
        ASSERT_TRUE(xrandr.waitForFinished(10000) && xrandr.exitCode() == 0);
    }
    ASSERT_TRUE(Apply(picture).ok);
    const imaging::Bitmap root_pixels = ReadRootPixels(server.display());
    EXPECT_EQ(Crop(root_pixels, 0, 0, 200, 240), Stretched(picture, 200, 240));
    EXPECT_EQ(Crop(root_pixels, 200, 0, 120, 240), Stretched(picture, 120, 240));
}

TEST_F(X11Root, EachMonitorItsOwnPicture_OthersKeepTheirs_UnknownNamesAreSaid) {
    XvfbServer server;
    Use(server);
    // Mirrored: MIRROR covers LEFT's top-left corner, and is painted after it.
    for (const char* monitor : {"LEFT 200/50x240/60+0+0 screen", "RIGHT 120/30x200/60+200+0 none",
                                "MIRROR 100/25x100/25+0+0 none"}) {
        QStringList args{"-display", server.display(), "--setmonitor"};
        args += QString::fromLatin1(monitor).split(' ');
        QProcess xrandr;
        xrandr.start("xrandr", args);
        ASSERT_TRUE(xrandr.waitForFinished(10000) && xrandr.exitCode() == 0);
    }
    const imaging::Bitmap left = Pattern(200, 240, 1), right = Pattern(60, 100, 2),
                          gone = Pattern(9, 9, 3);
    const auto write = [&](const char* name, const imaging::Bitmap& b) {
        const std::filesystem::path p = folder_ / name;
        compose::WriteBmpFile(p, b);
        return QString::fromStdString(p.string());
    };
    const QList<MonitorPicture> pictures{{"LEFT", QRect(0, 0, 200, 240), write("l.bmp", left)},
                                         {"RIGHT", QRect(200, 0, 120, 200), write("r.bmp", right)},
                                         {"GONE", QRect(0, 0, 9, 9), write("g.bmp", gone)}};
    const Outcome outcome = MakeX11RootBackend(runner_)->applyEach(pictures);
    ASSERT_TRUE(outcome.ok) << outcome.detail.toStdString();
    EXPECT_TRUE(outcome.detail.contains("no monitor GONE")) << outcome.detail.toStdString();
    imaging::Bitmap root = ReadRootPixels(server.display());
    EXPECT_EQ(Crop(root, 100, 100, 100, 140), Crop(left, 100, 100, 100, 140));
    EXPECT_EQ(Crop(root, 200, 0, 120, 200), Stretched(right, 120, 200));
    EXPECT_EQ(root.pixel(250, 220), 0u);  // below RIGHT, on no monitor

    // RIGHT alone: LEFT keeps its picture from the earlier pixmap.
    const imaging::Bitmap next = Pattern(120, 200, 9);
    ASSERT_TRUE(MakeX11RootBackend(runner_)
                    ->applyEach({{"RIGHT", QRect(200, 0, 120, 200), write("r.bmp", next)}})
                    .ok);
    root = ReadRootPixels(server.display());
    EXPECT_EQ(Crop(root, 100, 100, 100, 140), Crop(left, 100, 100, 100, 140));
    EXPECT_EQ(Crop(root, 200, 0, 120, 200), next);
    // A monitor unplugged since its picture was made: nothing to set, and said so.
    const Outcome unplugged = MakeX11RootBackend(runner_)->applyEach({pictures[2]});
    EXPECT_FALSE(unplugged.ok);
    EXPECT_TRUE(unplugged.detail.contains("no monitor GONE")) << unplugged.detail.toStdString();
    EXPECT_TRUE(runner_.programs.empty());
}

TEST_F(X11Root, FailsWithTheReason_WhenThereIsNothingToShowOrNowhereToShowIt) {
    XvfbServer server;
    Use(server);
    const QString missing = QString::fromStdString((folder_ / "missing.bmp").string());
    const Outcome noFile = MakeX11RootBackend(runner_)->apply(missing);
    EXPECT_FALSE(noFile.ok);
    EXPECT_TRUE(noFile.detail.startsWith("X11 root window: ")) << noFile.detail.toStdString();
    EXPECT_TRUE(noFile.detail.contains(missing)) << noFile.detail.toStdString();
    EXPECT_EQ(x11::RootPixmapId(), 0u);

    qputenv("DISPLAY", ":65000");
    const Outcome noDisplay = Apply(Pattern(8, 8, 0));
    EXPECT_FALSE(noDisplay.ok);
    EXPECT_TRUE(noDisplay.detail.contains(":65000")) << noDisplay.detail.toStdString();
    EXPECT_TRUE(runner_.programs.empty());
}

// A palette display is beyond our own setter; the external tools take over, and
// count only when the root pixmap really changed.
TEST_F(X11Root, PaletteDisplay_FallsBackToTheTools_AndChecksTheirWork) {
    XvfbServer server(QStringLiteral("320x240x8"));
    Use(server);
    const Outcome pretended = Apply(Pattern(32, 32, 3));
    runner_.answer = [](const QString&, const QStringList&) {
        return CommandRunner::Result{0, true, false, {}, {}};  // exit 0, nothing done
    };
    const Outcome unchanged = Apply(Pattern(32, 32, 3));
    EXPECT_FALSE(pretended.ok);
    EXPECT_TRUE(pretended.detail.contains("feh: not installed")) << pretended.detail.toStdString();
    EXPECT_FALSE(unchanged.ok);
    EXPECT_TRUE(unchanged.detail.contains("_XROOTPMAP_ID did not change"))
        << unchanged.detail.toStdString();

    ProcessRunner real;
    compose::WriteBmpFile(path_, Pattern(32, 32, 3));
    const Outcome withFeh = MakeX11RootBackend(real)->apply(QString::fromStdString(path_.string()));
    EXPECT_TRUE(withFeh.ok) << withFeh.detail.toStdString();
    EXPECT_TRUE(withFeh.detail.contains("feh"));
    EXPECT_NE(x11::RootPixmapId(), 0u);
}

// A screen taller than the bands the pixels go in (about 520 rows of this
// width a band, in two halves of shared memory used in turn) and an odd width,
// through shared memory and through the socket alike.
TEST(X11RootUpload, BothWaysPutEveryRowInPlace) {
    XvfbServer server(QStringLiteral("1001x1600x24"));
    qputenv("DISPLAY", server.display().toLatin1());
    for (const x11::Upload upload : {x11::Upload::kAny, x11::Upload::kSocketOnly}) {
        const imaging::Bitmap picture = Pattern(1001, 1600, upload == x11::Upload::kAny ? 5 : 6);
        ASSERT_NE(x11::SetRootPicture(picture, upload), 0u);
        EXPECT_EQ(ReadRootPixels(server.display()), picture) << static_cast<int>(upload);
    }
}

// Our own BMPs are read directly: bottom-up as written and top-down alike; any
// other kind goes to Qt's reader (nullopt); a file cut short or too large fails.
TEST(X11PictureFile, ReadsPlainBmpsAndLeavesOthersToQt) {
    TempFolder folder;
    const imaging::Bitmap picture = Pattern(13, 7, 4);
    std::vector<std::uint8_t> bottomUp = compose::EncodeBmp(picture);
    // The same rows top-down: a negative height, the rows in reading order.
    std::vector<std::uint8_t> topDown(bottomUp.begin(), bottomUp.begin() + 54);
    const std::int32_t minusSeven = -7;
    std::memcpy(&topDown[22], &minusSeven, 4);
    const std::size_t stride = imaging::Bitmap::StrideFor(13);
    for (int y = 6; y >= 0; --y)
        topDown.insert(topDown.end(),
                       bottomUp.begin() + 54 + static_cast<std::ptrdiff_t>(stride * y),
                       bottomUp.begin() + 54 + static_cast<std::ptrdiff_t>(stride * (y + 1)));
    std::vector<std::uint8_t> thirtyTwoBits = bottomUp, cutShort = bottomUp, huge = bottomUp;
    thirtyTwoBits[28] = 32;
    cutShort.resize(cutShort.size() - 1);
    huge[21] = 0x10;  // 13 + 2^24 pixels wide

    enum class Want { kPicture, kOther, kError };
    const struct {
        const char* name;
        const std::vector<std::uint8_t>& bytes;
        Want want;
    } cases[] = {
        {"bottom-up", bottomUp, Want::kPicture},
        {"top-down", topDown, Want::kPicture},
        {"32 bits", thirtyTwoBits, Want::kOther},
        {"cut short", cutShort, Want::kError},
        {"huge", huge, Want::kError},
    };
    for (const auto& c : cases) {
        const std::filesystem::path path = folder / (std::string(c.name) + ".bmp");
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(c.bytes.data()),
                   static_cast<std::streamsize>(c.bytes.size()));
        if (c.want == Want::kError) {
            EXPECT_THROW(x11::ReadPlainBmp(path, 1 << 24), base::Error) << c.name;
            continue;
        }
        const std::optional<imaging::Bitmap> read = x11::ReadPlainBmp(path, 1 << 24);
        EXPECT_EQ(read.has_value(), c.want == Want::kPicture) << c.name;
        if (read) {
            EXPECT_EQ(*read, picture) << c.name;
        }
    }
    EXPECT_FALSE(x11::ReadPlainBmp(folder / "missing.bmp", 1 << 24).has_value());
}

// Worked values: one pixel (18, 52, 86) packed for the layouts servers use.
TEST(X11Pixels, PacksIntoTheServersLayout) {
    imaging::Bitmap pixel(1, 1);
    pixel.setPixel(0, 0, 18 | 52 << 8 | 86 << 16);
    struct Case {
        x11::PixelFormat format;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {{32, 32, false, 0xff0000, 0xff00, 0xff}, {86, 52, 18, 0}},
        {{32, 32, true, 0xff0000, 0xff00, 0xff}, {0, 18, 52, 86}},
        {{32, 32, false, 0xff, 0xff00, 0xff0000}, {18, 52, 86, 0}},
        {{24, 32, false, 0xff0000, 0xff00, 0xff}, {86, 52, 18, 0}},     // padded to 32 bits
        {{16, 32, false, 0xf800, 0x07e0, 0x001f}, {0xaa, 0x11, 0, 0}},  // 2, 13, 10 in 5-6-5
        {{16, 16, true, 0xf800, 0x07e0, 0x001f}, {0x11, 0xaa}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(x11::IsSupported(c.format));
        std::vector<std::uint8_t> out;
        x11::PackRows(pixel, 0, 1, c.format, out);
        EXPECT_EQ(out, c.bytes) << c.format.bitsPerPixel << " bits";
    }
    EXPECT_FALSE(x11::IsSupported({8, 32, false, 0xe0, 0x1c, 0x03}));
    EXPECT_FALSE(x11::IsSupported({16, 32, false, 0xf0f0, 0x0f00, 0x000f}));  // not contiguous
    EXPECT_FALSE(x11::IsSupported({16, 32, false, 0xff0000, 0xff00, 0xff}));  // wider than a pixel
}

}  // namespace
}  // namespace dorvane::platform::wallpaper
