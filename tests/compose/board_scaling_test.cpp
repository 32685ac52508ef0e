// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/board_scaling.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "compose/goal_text.h"

namespace dorvane::compose {
namespace {

GoalBoard Board(int x, int y, int width, int goals = 3) {
    GoalBoard b;
    b.FontName = "Arial";
    b.FontSize = 20;
    for (int i = 1; i <= goals; ++i)
        b.Goal[static_cast<std::size_t>(i)] = "Goal number " + std::to_string(i) + " for this year";
    b.TextPosX = x;
    b.TextPosY = y;
    b.TextWidth = width;
    return b;
}

// The rectangle where the layer holds any coverage (right and bottom inclusive).
struct Ink {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
};
Ink InkOf(const TextLayer& layer) {
    Ink ink;
    const QImage& img = layer.image();
    for (int y = 0; y < img.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(row[x]) > 0) {
                ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x),
                       std::max(ink.bottom, y)};
            }
    }
    return ink;
}

TEST(BoardScaling, SameSizeDrawsExactlyWhatTheScreenAlwaysShowed) {
    // Even a box that hangs over the bottom stays as it is on its own screen.
    const GoalBoard board = Board(1400, 1000, 520, 5);
    TextLayer plain(1920, 1080), scaled(1920, 1080);
    const TextRenderState a = RenderTextLayer(plain, board, 96, 353);
    const TextRenderState b = RenderTextLayerFor(scaled, board, {1920, 1080}, 96, 353);
    EXPECT_EQ(plain.image(), scaled.image());
    EXPECT_EQ(a.Frame, b.Frame);
    EXPECT_EQ(a.TextHeight, b.TextHeight);
}

TEST(BoardScaling, TheRuleAtOtherSizes) {
    const struct {
        const char* what;
        ScreenSize from, to;
        GoalBoard board;
        int dpi;          // the letters: 96 × the smaller ratio, rounded
        int x, y, width;  // the box; -1: only checked to stay inside
    } cases[] = {
        {"0.75x", {2560, 1440}, {1920, 1080}, Board(400, 200, 1200), 72, 300, 150, 900},
        {"2x", {1920, 1080}, {3840, 2160}, Board(100, 60, 800), 192, 200, 120, 1600},
        // Portrait: width ratio 0.5625 scales all; the box keeps its share of free space.
        {"portrait", {1920, 1080}, {1080, 1920}, Board(960, 100, 800), 54, 540, -1, 450},
        // Ultra-wide: height ratio 1, so the letters stay; a centred box stays centred.
        {"ultra-wide", {2560, 1440}, {5120, 1440}, Board(780, 500, 1000), 96, 2060, 500, 1000},
        // The box in the bottom-right corner stays in that corner.
        {"box at edge", {1920, 1080}, {1280, 720}, Board(1400, 900, 520, 5), 64, 933, -1, 347},
        {"tiny screen", {1920, 1080}, {40, 24}, Board(10, 10, 1900, 7), -1, -1, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ScaledBoard s = ScaleBoard(c.board, c.from, c.to, 96);
        if (c.dpi > 0) {
            EXPECT_EQ(s.dpi, c.dpi);
        }
        if (c.x >= 0) {
            EXPECT_NEAR(s.board.TextPosX, c.x, 1);
        }
        if (c.y >= 0) {
            EXPECT_NEAR(s.board.TextPosY, c.y, 1);
        }
        if (c.width >= 0) {
            EXPECT_NEAR(s.board.TextWidth, c.width, 1);
        }
        // Every case: the box and every goal's ink lie inside the picture.
        EXPECT_GE(s.board.TextPosX, 0);
        EXPECT_LE(s.board.TextPosX + s.board.TextWidth, c.to.width);
        EXPECT_GE(s.board.TextPosY, 0);
        TextLayer layer(c.to.width, c.to.height);
        const TextRenderState state = RenderTextLayerFor(layer, c.board, c.from, 96, 200);
        EXPECT_LE(s.board.TextPosY + state.TextHeight, c.to.height);
        const Ink ink = InkOf(layer);
        if (c.dpi > 0) {  // letters of a pixel or two may touch the edge of a tiny screen
            ASSERT_GE(ink.right, 0);
            EXPECT_LT(ink.bottom, c.to.height - 1);  // nothing cut at the edges
            EXPECT_LT(ink.right, c.to.width - 1);
        }
    }
}

TEST(BoardScaling, TheTextBlockScalesWithTheScreen) {
    const GoalBoard board = Board(100, 100, 900, 4);
    const int styled = MeasureTextHeight(board, 96);
    const ScaledBoard half = ScaleBoard(board, {3840, 2160}, {1920, 1080}, 96);
    EXPECT_NEAR(MeasureTextHeight(half.board, half.dpi), styled / 2.0, styled * 0.05);
}

TEST(BoardScaling, TextTallerThanTheScreenGetsSmallerLettersUntilItFits) {
    // Big letters in a narrow box run far below the styled screen; at half the
    // size they would still be taller than the screen.
    GoalBoard board = Board(0, 0, 150, 7);
    board.FontSize = 36;
    ASSERT_GT(MeasureTextHeight(board, 96), 2 * 1080);
    const ScaledBoard s = ScaleBoard(board, {1920, 1080}, {960, 540}, 96);
    EXPECT_LT(s.dpi, 48);
    EXPECT_EQ(s.board.TextPosY, 0);
    EXPECT_LE(MeasureTextHeight(s.board, s.dpi), 540);
}

TEST(BoardScaling, MapBoxPositionSharesTheFreeSpace) {
    EXPECT_EQ(MapBoxPosition(0, 100, 1000, 50, 500), 0);
    EXPECT_EQ(MapBoxPosition(900, 100, 1000, 50, 500), 450);    // at the far edge
    EXPECT_EQ(MapBoxPosition(450, 100, 1000, 100, 2000), 950);  // centred
    EXPECT_EQ(MapBoxPosition(-40, 100, 1000, 50, 500), 0);      // pulled in
    EXPECT_EQ(MapBoxPosition(5000, 100, 1000, 50, 500), 450);
    EXPECT_EQ(MapBoxPosition(10, 1200, 1000, 50, 500), 450);  // hung over the far side
    EXPECT_EQ(MapBoxPosition(0, 1200, 1000, 50, 500), 0);
    EXPECT_EQ(MapBoxPosition(100, 10, 1000, 600, 500), 0);  // cannot fit: at the start
    EXPECT_EQ(MapBoxPosition(INT_MAX, 0, 1, 0, INT_MAX), INT_MAX - 0);
}

TEST(BoardScaling, RestylingForEditingScalesTheFontSizeToWholePoints) {
    GoalBoard board = Board(400, 200, 1200);
    board.FontSize = 16;
    board.ScreenWidth = 2560;
    board.ScreenHeight = 1440;
    RestyleBoard(board, {1920, 1080}, 96);
    EXPECT_EQ(board.FontSize, 12);
    EXPECT_EQ(board.TextPosX, 300);
    EXPECT_EQ(board.TextWidth, 900);
    EXPECT_EQ(board.ScreenWidth, 1920);
    EXPECT_EQ(board.ScreenHeight, 1080);
    // A board that does not say counts as styled where it is edited.
    GoalBoard unsized = Board(400, 200, 1200);
    RestyleBoard(unsized, {1920, 1080}, 96);
    EXPECT_EQ(unsized.TextPosX, 400);
    EXPECT_EQ(unsized.FontSize, 20);
}

}  // namespace
}  // namespace dorvane::compose
