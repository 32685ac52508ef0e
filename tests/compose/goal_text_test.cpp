// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/goal_text.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <climits>

#include "compose/overlay.h"
#include "compose/readability.h"
#include "compose/shading.h"
#include "compose/text_metrics.h"

namespace dorvane::compose {
namespace {

constexpr int kDpi = 96;

GoalBoard Board(std::initializer_list<const char*> goals, int screenWidth = 1024) {
    GoalBoard b = NewBoard(screenWidth);
    b.FontName = "Arial";
    int i = 1;
    for (const char* g : goals) b.Goal[static_cast<std::size_t>(i++)] = g;
    return b;
}

int Render(const GoalBoard& b, TextLayer& layer) {
    return RenderTextLayer(layer, b, kDpi, 349).TextHeight;
}

// Columns and rows where the layer holds any coverage.
struct Ink {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
};
Ink InkIn(const TextLayer& layer, int top = 0, int bottom = INT_MAX) {
    Ink ink;
    const QImage& img = layer.image();
    for (int y = std::max(0, top); y < std::min(img.height(), bottom); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) > 0) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

TEST(DrawGoalText, TextHeightsOfTheWorkedExamples) {
    TextLayer layer(1024, 768);
    EXPECT_EQ(Render(Board({"First goal", "Second goal"}), layer), 50);
    EXPECT_EQ(Render(Board({"", "", "", "", "", "", ""}), layer), -10);
    GoalBoard narrow = Board({"one two three"});
    narrow.TextWidth = QFontMetrics(GoalFont(narrow, kDpi)).horizontalAdvance("three") + 2;
    EXPECT_EQ(Render(narrow, layer), 58);  // three lines of 19, one gap of 11, less 10
    GoalBoard eleven = Board({"x"});
    eleven.FontSize = 11;
    EXPECT_EQ(Render(eleven, layer), 18 + 10 - 10);
}

TEST(DrawGoalText, BlankGoalsLeaveNoHole) {
    TextLayer a(1024, 768), b(1024, 768);
    EXPECT_EQ(Render(Board({"alpha", "   ", "gamma"}), a), Render(Board({"alpha", "gamma"}), b));
    EXPECT_EQ(a.image(), b.image());
    TextLayer c(1024, 768);
    Render(Board({"  alpha  "}), c);
    TextLayer d(1024, 768);
    Render(Board({"alpha"}), d);
    EXPECT_EQ(c.image(), d.image());  // leading and trailing blanks dropped
}

TEST(DrawGoalText, FullyCoveredPixelsAreExactlyTheColourAndTheRestUntouched) {
    GoalBoard b = Board({"IIII HHHH"});
    b.FontSize = 36;
    b.FontStyle = 1;
    b.FontColor = 0x0000FF;  // red
    TextLayer layer(1024, 768);
    Render(b, layer);
    int full = 0, partial = 0;
    const QImage& img = layer.image();
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 400; ++x) {
            const QRgb p = img.pixel(x, y);
            if (qAlpha(p) == 255) {
                ++full;
                EXPECT_EQ(p, qRgba(255, 0, 0, 255));
            } else if (qAlpha(p) > 0) {
                ++partial;
            }
        }
    EXPECT_GT(full, 200);
    EXPECT_GT(partial, 0) << "edges are smoothed";
    EXPECT_EQ(qAlpha(img.pixel(600, 400)), 0);
}

TEST(DrawGoalText, WhiteTextOnALightPictureHasNoDarkFringe) {
    GoalBoard b = Board({"Wavy fringe test goal"});
    b.FontSize = 24;
    b.FontColor = 0xFFFFFF;
    TextLayer layer(1024, 768);
    Render(b, layer);
    imaging::Bitmap picture(1024, 768);
    picture.fill(0xC8C8C8);
    OverlayTextLayer(picture, layer);
    int white = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 500; ++x) {
            const std::uint32_t p = picture.pixel(x, y);
            ASSERT_GE(p & 0xFF, 0xC8u) << x << "," << y;  // never darker than the picture
            white += p == 0xFFFFFF;
        }
    EXPECT_GT(white, 50);
    EXPECT_EQ(picture.pixel(700, 500), 0xC8C8C8u);
}

TEST(DrawGoalText, DarkShadingPutsABlackCopyOneDownRight) {
    GoalBoard b = Board({"Shade"});
    b.FontSize = 36;
    b.FontColor = 0xFFFFFF;
    b.FontShading = 1;
    TextLayer shaded(1024, 768);
    Render(b, shaded);
    b.FontShading = 0;
    TextLayer plain(1024, 768);
    Render(b, plain);
    int black = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 200; ++x) {
            if (shaded.image().pixel(x, y) == qRgba(0, 0, 0, 255)) ++black;
            EXPECT_NE(plain.image().pixel(x, y), qRgba(0, 0, 0, 255));
        }
    EXPECT_GT(black, 10);
    EXPECT_EQ(InkIn(shaded).right, InkIn(plain).right + 1);
    EXPECT_EQ(InkIn(shaded).bottom, InkIn(plain).bottom + 1);
}

// White text on a nearly white picture (240): only the shading can make it
// readable, by a margin known by hand for the bands (a band over the picture is
// 240 × (1 − opacity)).
TEST(DrawGoalText, OutlinesAndBandsReachTheirRatiosOnAnyResolution) {
    struct Case {
        std::uint8_t shading;
        int dpi;
        double low, high;
    };
    const Case cases[] = {
        {3, 96, 10, 21},
        {3, 192, 10, 21},
        {5, 96, 2.74, 2.75},
        {6, 96, 4.41, 4.42},
        {7, 96, 7.57, 7.58},
        {8, 96, 13.19, 13.2},
        {7, 192, 7.57, 7.58},
        // No shading, and values beyond the list: the picture's own 1.14 (no core
        // is hidden, since the text differs from the picture).
        {0, 96, 1.13, 1.14},
        {13, 96, 1.13, 1.14},
        {255, 96, 1.13, 1.14},
    };
    for (const Case& c : cases) {
        GoalBoard b = Board({"Heavy Weight", "Second goal"});
        b.FontSize = 24;
        b.FontColor = 0xFFFFFF;
        b.FontShading = c.shading;
        b.TextPosX = b.TextPosY = 100;
        TextLayer layer(1024, 768);
        RenderTextLayer(layer, b, c.dpi, 349);
        imaging::Bitmap white(1024, 768);
        white.fill(0xF0F0F0);
        const Readability r = MeasureBoardReadability(white, layer, b.FontColor);
        EXPECT_GE(r.ratio, c.low) << int(c.shading) << " at " << c.dpi;
        EXPECT_LE(r.ratio, c.high) << int(c.shading) << " at " << c.dpi;
    }
}

TEST(DrawGoalText, OutlineWidthAndBandEdgesInDevicePixels) {
    for (const int dpi : {96, 192}) {
        GoalBoard b = Board({"Halo"});
        b.TextPosX = b.TextPosY = 200;
        TextLayer plain(1024, 768), outlined(1024, 768), band(1024, 768);
        RenderTextLayer(plain, b, dpi, 349);
        b.FontShading = 4;
        RenderTextLayer(outlined, b, dpi, 349);
        const int r = OutlineRadius(dpi);
        EXPECT_EQ(r, dpi / 32);
        EXPECT_NEAR(InkIn(outlined).left, InkIn(plain).left - r, 1) << dpi;
        EXPECT_NEAR(InkIn(outlined).bottom, InkIn(plain).bottom + r, 1) << dpi;

        b.FontShading = 6;  // dark band 50 %
        RenderTextLayer(band, b, dpi, 349);
        const int m = BandMargin(EmHeight(12, dpi), dpi);
        EXPECT_EQ(band.image().pixel(200 - m, 200 - m), qRgba(0, 0, 0, 128)) << dpi;
        EXPECT_EQ(qAlpha(band.image().pixel(199 - m, 200 - m)), 0) << dpi;
        EXPECT_EQ(qAlpha(band.image().pixel(200 - m, 199 - m)), 0) << dpi;
    }
}

TEST(DrawGoalText, BulletsHangUnderTheTextWhenLeftAligned) {
    GoalBoard b = Board({"Learn Italian properly Learn Italian properly"});
    b.FontBullets = true;
    b.TextPosX = 100;
    b.TextPosY = 100;
    b.TextWidth = 230;
    TextLayer layer(1024, 768);
    Render(b, layer);
    const QFontMetrics fm(GoalFont(b, kDpi));
    const int bullet = fm.horizontalAdvance(QStringLiteral(u"\u2022 "));
    const Ink first = InkIn(layer, 100, 119);
    const Ink second = InkIn(layer, 119, 138);
    ASSERT_GE(second.right, 0) << "the goal wraps";
    EXPECT_NEAR(first.left, 100, 3);            // the bullet at the box's edge
    EXPECT_NEAR(second.left, 100 + bullet, 3);  // continuation under the text
}

TEST(DrawGoalText, CentreAndRightAlignmentMeasuredOnPixels) {
    GoalBoard b = Board({"Middle"});
    b.TextPosX = 200;
    b.TextWidth = 400;
    b.FontSize = 24;
    b.FontAlign = 1;
    TextLayer layer(1024, 768);
    Render(b, layer);
    const Ink centre = InkIn(layer);
    EXPECT_NEAR((centre.left + centre.right) / 2.0, 400.0, 3.0);
    b.FontAlign = 2;
    b.FontBullets = true;
    Render(b, layer);
    EXPECT_NEAR(InkIn(layer).right, 600, 3);
    b.FontAlign = 9;  // from an edited file: drawn as left
    Render(b, layer);
    EXPECT_NEAR(InkIn(layer).left, 200, 3);
}

TEST(RenderTextLayer, RedrawingOnlyWhatChangedEqualsAFullRedraw) {
    GoalBoard b = Board({"Run a marathon", "Write a book about the sea", "Visit Iceland"});
    b.FontStyle = 3;
    b.FontShading = 2;
    b.FontSize = 28;
    TextLayer reused(1024, 768);
    for (int step = 0; step < 12; ++step) {
        b.TextPosX = 10 + step * 37 - 60;
        b.TextPosY = 700 - step * 61;
        b.TextWidth = 300 + step * 40;
        b.FontAlign = static_cast<std::uint8_t>(step % 3);
        b.FontBullets = step % 2 == 0;
        const TextRenderState incremental = RenderTextLayer(reused, b, kDpi, 349);
        TextLayer fresh(1024, 768);
        const TextRenderState full = RenderTextLayer(fresh, b, kDpi, 349);
        ASSERT_EQ(reused.image(), fresh.image()) << "step " << step;
        EXPECT_EQ(incremental.Frame, full.Frame);
    }
}

TEST(RenderTextLayer, AbsurdValuesFromEditedFilesDrawWithoutTrouble) {
    TextLayer layer(640, 480);
    // Drawn at 1 point (E = 1: two goals of 1 + 1) or 400 points (E = 533: 640 + 373).
    for (std::int32_t size : {0, -5, INT_MIN}) {
        GoalBoard b = Board({"Big or small", "x"}, 640);
        b.FontSize = size;
        EXPECT_EQ(Render(b, layer), 2 * (1 + 1) - 10) << size;
        EXPECT_EQ(b.FontSize, size);
    }
    for (std::int32_t size : {100000, INT_MAX}) {
        GoalBoard b = Board({"I", "x"}, 640);
        b.FontSize = size;
        EXPECT_EQ(Render(b, layer), 2 * (640 + 373) - 10) << size;
    }
    GoalBoard wide = Board({"Some words in a line"}, 640);
    wide.TextWidth = -1000;                             // one character a line
    EXPECT_EQ(Render(wide, layer), 16 * 19 + 11 - 10);  // 16 letters
    wide.TextPosX = INT_MIN;
    wide.TextPosY = INT_MAX - 5;
    wide.TextWidth = INT_MAX;
    wide.FontAlign = 2;
    EXPECT_GT(Render(wide, layer), 0);
    EXPECT_EQ(InkIn(layer).right, -1) << "nothing lands on the layer";
}

TEST(RenderTextLayer, AHundredThousandCharacterGoalRenders) {
    std::string goal;
    for (int i = 0; i < 100000; ++i) goal += i % 7 == 6 ? ' ' : static_cast<char>('a' + i % 26);
    GoalBoard b = Board({goal.c_str()});
    TextLayer layer(1024, 768);
    const int h = Render(b, layer);
    EXPECT_GT(h, 500 * 19);  // hundreds of lines, most of them below the screen
    EXPECT_GT(InkIn(layer, 700).right, 0);
}

}  // namespace
}  // namespace dorvane::compose
