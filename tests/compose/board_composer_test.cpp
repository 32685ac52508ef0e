// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/board_composer.h"

#include <gtest/gtest.h>

#include "compose/goal_text.h"
#include "compose/overlay.h"
#include "compose/preview.h"

namespace dorvane::compose {
namespace {

struct Page4 {
    BoardComposer composer;
    StyleControls controls;
    GoalBoard board = NewBoard(1024);
    explicit Page4(double ratio = 1) : composer(1024, 768, 96, ratio) {
        FillFontList(controls, {"Arial", "Verdana"});
        composer.previewPicture().fill(0x505050);
        composer.screenPicture().fill(0x505050);
        board.Goal[1] = "Learn to sail";
        board.Goal[2] = "Read more";
    }
};

TEST(BoardComposer, AStyleChangeReadsTheListsAndRedraws) {
    Page4 p;
    EXPECT_EQ(p.composer.previewPicture().width(), 349);
    ReadStyleControls(p.controls, p.board);
    p.composer.render(p.board);
    EXPECT_EQ(p.board.FontName, "Arial");
    EXPECT_EQ(p.composer.text().TextHeight, 50);
    EXPECT_EQ(p.composer.text().Frame, (FrameRect{3, 3, 346, 20}));
    p.controls.size.selected = 13;  // "36"
    ReadStyleControls(p.controls, p.board);
    p.composer.render(p.board);
    const imaging::Bitmap shown = p.composer.preview();
    EXPECT_EQ(p.board.FontSize, 36);
    EXPECT_EQ(p.composer.text().TextHeight, 2 * (58 + 34) - 10);
    EXPECT_EQ(shown.pixel(2, 10), 0xFFFFFFu);  // the frame's white line at L − 1
}

TEST(BoardComposer, ADragMovesTheBoxAndShowsExactlyAFreshComposition) {
    Page4 p;
    ReadStyleControls(p.controls, p.board);
    p.composer.render(p.board);
    p.composer.mouseDown(MouseButton::Left, 100, 10, p.board);
    BoardComposer::MouseResult last;
    for (int step = 1; step <= 20; ++step)
        last = p.composer.mouseMove(100 + 3 * step, 10 + 4 * step, p.board);
    ASSERT_TRUE(last.preview.has_value());
    EXPECT_EQ(last.cursor, CursorShape::SizeAll);
    EXPECT_EQ(p.board.TextPosX, 10 + 176);  // 60 / 0.3408 = 176.05
    EXPECT_EQ(p.board.TextPosY, 10 + 235);  // 80 / 0.3408 = 234.7
    p.composer.mouseUp();
    EXPECT_FALSE(p.composer.mouseMove(300, 200, p.board).preview.has_value());

    TextLayer fresh(1024, 768);
    const TextRenderState state = RenderTextLayer(fresh, p.board, 96, 349);
    EXPECT_EQ(*last.preview, RefreshPreview(p.composer.previewPicture(), fresh, state));
    imaging::Bitmap screen = p.composer.screenPicture();
    OverlayTextLayer(screen, fresh);
    EXPECT_EQ(p.composer.composeScreen(), screen);
}

TEST(BoardComposer, AtRatio2ThePreviewHasTwiceThePixelsAndTheMouseKeepsPreviewPixels) {
    struct Row {
        double asked, used;
        int width, height;
    };
    for (const Row& r : {Row{1, 1, 349, 262}, Row{2, 2, 698, 524}, Row{1.5, 1.5, 524, 393},
                         Row{0.5, 1, 349, 262}, Row{100, 4, 1396, 1048}}) {
        const BoardComposer c(1024, 768, 96, r.asked);
        EXPECT_EQ(c.ratio(), r.used) << r.asked;
        EXPECT_EQ(c.previewPicture().width(), r.width) << r.asked;
        EXPECT_EQ(c.previewPicture().height(), r.height) << r.asked;
        EXPECT_EQ(c.previewWidth(), 349) << r.asked;
    }
    // The same drag, in preview pixels, at ratios 1 and 2: the same box, frame and
    // cursors; at 2 the shown picture is the fresh composition at device pixels.
    Page4 one(1), two(2);
    for (Page4* p : {&one, &two}) {
        ReadStyleControls(p->controls, p->board);
        p->composer.render(p->board);
        p->composer.mouseDown(MouseButton::Left, 100, 10, p->board);
    }
    const auto step = [&](Point at) {
        const auto a = one.composer.mouseMove(at.x, at.y, one.board);
        const auto b = two.composer.mouseMove(at.x, at.y, two.board);
        EXPECT_EQ(two.board, one.board) << at.x;
        EXPECT_EQ(two.composer.text().Frame, one.composer.text().Frame) << at.x;
        EXPECT_EQ(b.cursor, a.cursor) << at.x;
        ASSERT_TRUE(b.preview.has_value());
        EXPECT_EQ(b.preview->width(), 698);
    };
    step({130, 50});
    step({160, 90});
    EXPECT_EQ(two.board.TextPosX, 10 + 176);  // 60 / 0.3408 = 176.05
    EXPECT_EQ(two.board.TextPosY, 10 + 235);  // 80 / 0.3408 = 234.7
    step({-40, 12});                          // against the screen's edges
    step({345, 300});
    TextLayer fresh(1024, 768);
    const TextRenderState state = RenderTextLayer(fresh, two.board, 96, 349);
    EXPECT_EQ(two.composer.preview(),
              RefreshPreview(two.composer.previewPicture(), fresh, state, 2));
}

}  // namespace
}  // namespace dorvane::compose
