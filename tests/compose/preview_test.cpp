// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/preview.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "compose/bmp_writer.h"
#include "compose/goal_text.h"
#include "compose/overlay.h"

namespace dorvane::compose {
namespace {

imaging::Bitmap Filled(int w, int h, std::uint32_t color) {
    imaging::Bitmap b(w, h);
    b.fill(color);
    return b;
}

TEST(DrawTextBoxFrame, WhiteOutsideRedDottedOnTheBorderPictureElsewhere) {
    imaging::Bitmap img = Filled(40, 30, 0x404040);
    DrawTextBoxFrame(img, FrameRect{10, 5, 30, 20});
    // White solid outline through columns 9 and 30, rows 4 and 20.
    for (int x = 9; x <= 30; ++x) {
        EXPECT_EQ(img.pixel(x, 4), 0xFFFFFFu) << x;
        EXPECT_EQ(img.pixel(x, 20), 0xFFFFFFu) << x;
    }
    for (int y = 4; y <= 20; ++y) {
        EXPECT_EQ(img.pixel(9, y), 0xFFFFFFu) << y;
        EXPECT_EQ(img.pixel(30, y), 0xFFFFFFu) << y;
    }
    // Red dots on columns 10 and 29, rows 5 and 19, gaps showing the picture.
    int red = 0, gaps = 0;
    for (int x = 10; x <= 29; ++x)
        for (int y : {5, 19}) {
            const std::uint32_t p = img.pixel(x, y);
            EXPECT_TRUE(p == 0x0000FFu || p == 0x404040u);
            red += p == 0x0000FF;
            gaps += p == 0x404040;
        }
    EXPECT_GT(red, 10);
    EXPECT_GT(gaps, 10);
    EXPECT_EQ(img.pixel(10, 5), 0x0000FFu);   // dots start at the corner
    EXPECT_EQ(img.pixel(20, 12), 0x404040u);  // inside
    EXPECT_EQ(img.pixel(8, 12), 0x404040u);   // outside
    EXPECT_EQ(img.pixel(31, 21), 0x404040u);
}

TEST(DrawTextBoxFrame, FramesBeyondThePictureAreClipped) {
    imaging::Bitmap img = Filled(20, 20, 0);
    DrawTextBoxFrame(img, FrameRect{-1000000, -5, 1000000, 1000000});
    DrawTextBoxFrame(img, FrameRect{0, 0, 20, 20});
    EXPECT_EQ(img.pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(img.pixel(10, 10), 0u);
}

TEST(DrawTextBoxFrame, AtARatioEachPreviewPixelBecomesABlockOfDevicePixels) {
    // The frame keeps its place and its pattern: every device pixel shows what
    // its preview pixel shows at ratio 1. Frames partly or far outside included.
    for (const FrameRect frame : {FrameRect{3, 2, 17, 11}, FrameRect{-4, 5, 9, 30},
                                  FrameRect{-1000000000, -5, 1000000000, 1000000000}})
        for (const int ratio : {2, 3}) {
            imaging::Bitmap small = Filled(20, 14, 0x404040);
            DrawTextBoxFrame(small, frame);
            imaging::Bitmap large = Filled(20 * ratio, 14 * ratio, 0x404040);
            DrawTextBoxFrame(large, frame, ratio);
            for (int y = 0; y < large.height(); ++y)
                for (int x = 0; x < large.width(); ++x)
                    ASSERT_EQ(large.pixel(x, y), small.pixel(x / ratio, y / ratio))
                        << frame.left << " " << ratio << " " << x << "," << y;
        }
}

TEST(RefreshPreview, PictureTextAndFrameOnlyWhenThereIsText) {
    TextLayer layer(1024, 768);
    GoalBoard b = NewBoard(1024);
    b.FontName = "Arial";
    b.FontSize = 36;
    b.FontColor = 0x00FFFF;
    b.Goal[1] = "WWWWWWWW";
    const TextRenderState state = RenderTextLayer(layer, b, 96, 349);
    const imaging::Bitmap picture = Filled(349, 262, 0x202020);
    const imaging::Bitmap shown = RefreshPreview(picture, layer, state);
    EXPECT_EQ(shown.pixel(state.Frame.left - 1, state.Frame.top + 2), 0xFFFFFFu);
    int yellow = 0;
    for (int y = state.Frame.top + 1; y < state.Frame.bottom - 1; ++y)
        for (int x = state.Frame.left + 1; x < state.Frame.right - 1; ++x)
            yellow += shown.pixel(x, y) == 0x00FFFF;
    EXPECT_GT(yellow, 5);
    EXPECT_EQ(shown.pixel(200, 200), 0x202020u);

    GoalBoard empty = NewBoard(1024);
    const TextRenderState none = RenderTextLayer(layer, empty, 96, 349);
    EXPECT_EQ(RefreshPreview(picture, layer, none), picture);  // no frame, no text
}

TEST(OverlayTextLayer, NearestPixelScalingAndOneToOneCopy) {
    TextLayer layer(8, 4);
    layer.canvas().setPixel(5, 2, qRgba(255, 0, 0, 255));
    layer.markDrawn(QRect(0, 0, 8, 4));
    imaging::Bitmap same = Filled(8, 4, 0x00FF00);
    OverlayTextLayer(same, layer);
    EXPECT_EQ(same.pixel(5, 2), 0x0000FFu);
    EXPECT_EQ(same.pixel(4, 2), 0x00FF00u);
    imaging::Bitmap half = Filled(4, 2, 0x00FF00);  // samples columns 1, 3, 5, 7 and rows 1, 3
    OverlayTextLayer(half, layer);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(half.pixel(x, y), 0x00FF00u) << x << "," << y;
    imaging::Bitmap twice = Filled(16, 8, 0);
    OverlayTextLayer(twice, layer);
    EXPECT_EQ(twice.pixel(10, 4), 0x0000FFu);
    EXPECT_EQ(twice.pixel(11, 5), 0x0000FFu);
    EXPECT_EQ(twice.pixel(12, 4), 0u);
}

TEST(OverlayTextLayer, HalfCoverageBlendsWithThePicture) {
    TextLayer layer(1, 1);
    layer.canvas().setPixel(0, 0, qRgba(128, 128, 128, 128));  // premultiplied white at half
    layer.markDrawn(QRect(0, 0, 1, 1));                        // what drawing on the layer promises
    imaging::Bitmap pic = Filled(1, 1, 0x000000);
    OverlayTextLayer(pic, layer);
    EXPECT_EQ(pic.pixel(0, 0), 0x808080u);
    pic.fill(0xFFFFFF);
    OverlayTextLayer(pic, layer);
    EXPECT_EQ(pic.pixel(0, 0), 0xFFFFFFu);
}

TEST(EncodeBmp, HeaderAndBottomUpPaddedBgrRows) {
    imaging::Bitmap pic(3, 2);
    pic.setPixel(0, 0, 0x0000FF);  // red, top-left
    pic.setPixel(2, 1, 0xFF0000);  // blue, bottom-right
    const std::vector<std::uint8_t> bmp = EncodeBmp(pic);
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(bmp[2], 78);   // file size
    EXPECT_EQ(bmp[10], 54);  // pixel data offset
    EXPECT_EQ(bmp[14], 40);  // info header size
    EXPECT_EQ(bmp[18], 3);   // width
    EXPECT_EQ(bmp[22], 2);   // height, positive: bottom-up
    EXPECT_EQ(bmp[28], 24);  // bits per pixel
    EXPECT_EQ(bmp[30], 0);   // no compression
    // First stored row is the bottom one: blue at its end, in B, G, R order.
    EXPECT_EQ(bmp[54 + 6], 0xFF);
    EXPECT_EQ(bmp[54 + 8], 0x00);
    EXPECT_EQ(bmp[54 + 9], 0);  // padding to 12 bytes
    // Second stored row is the top one: red first.
    EXPECT_EQ(bmp[66 + 0], 0x00);
    EXPECT_EQ(bmp[66 + 2], 0xFF);
    const QImage decoded = QImage::fromData(bmp.data(), static_cast<int>(bmp.size()), "BMP");
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(decoded.pixel(2, 1), qRgb(0, 0, 255));
}

TEST(WriteComposedBmpFile, GivesTheBytesOfTheWholeCompositionWhateverTheBands) {
    // Heights below, at and across the band of 64 rows, text on the band borders.
    for (const int height : {1, 63, 64, 65, 150}) {
        imaging::Bitmap picture(37, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < 37; ++x)
                picture.setPixel(x, y, static_cast<std::uint32_t>(x * 7 + y * 1301));
        TextLayer layer(37, height);
        GoalBoard b = NewBoard(37);
        b.FontName = "Arial";
        b.FontSize = 36;
        b.FontColor = 0x00FFFF;
        b.FontShading = 2;
        b.TextPosY = -20;
        for (int i = 1; i <= kGoalCount; ++i) b.Goal[static_cast<std::size_t>(i)] = "W";
        RenderTextLayer(layer, b, 96, 37);
        QTemporaryDir dir;
        const std::string path = dir.filePath("board.bmp").toStdString();
        WriteComposedBmpFile(path, picture, layer);
        imaging::Bitmap composed = picture;
        OverlayTextLayer(composed, layer);
        std::ifstream in(path, std::ios::binary);
        const std::vector<std::uint8_t> written{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(written, EncodeBmp(composed)) << height;
        EXPECT_FALSE(composed == picture) << height;
    }
}

TEST(WriteComposedBmpFile, RewritingReplacesTheWholeFileAndLeavesNothingElse) {
    // The second write swaps its file in for the first; through a link, the
    // link's target gets the bytes and the link stays.
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    const TextLayer layer(40, 30);  // nothing drawn
    const auto read = [](const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<std::uint8_t>{std::istreambuf_iterator<char>(in), {}};
    };
    imaging::Bitmap first(40, 30), second(40, 30), third(40, 30);
    first.fill(0x102030);
    second.fill(0x405060);
    third.fill(0x708090);
    WriteComposedBmpFile(folder / "wall.bmp", first, layer);
    WriteComposedBmpFile(folder / "wall.bmp", second, layer);
    EXPECT_EQ(read(folder / "wall.bmp"), EncodeBmp(second));
    std::filesystem::create_symlink("wall.bmp", folder / "link.bmp");
    WriteComposedBmpFile(folder / "link.bmp", third, layer);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.bmp"));
    EXPECT_EQ(read(folder / "wall.bmp"), EncodeBmp(third));
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++files;
    EXPECT_EQ(files, 2);  // the file and the link: no temporary or earlier file left
}

}  // namespace
}  // namespace dorvane::compose
