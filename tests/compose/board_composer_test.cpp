// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/board_composer.h"

#include <gtest/gtest.h>

#include "compose/goal_text.h"
#include "compose/overlay.h"
#include "compose/preview.h"

namespace dorvane::compose {
namespace {

struct Page4 {
    BoardComposer composer{1024, 768, 96};
    StyleControls controls;
    TGoalsProject board = NewBoard(1024);
    Page4() {
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
    p.composer.styleChanged(p.controls, p.board);
    EXPECT_EQ(p.board.FontName, "Arial");
    EXPECT_EQ(p.composer.text().TextHeight, 50);
    EXPECT_EQ(p.composer.text().Frame, (FrameRect{3, 3, 346, 20}));
    p.controls.cbSize.selected = 13;  // "36"
    const Bitmap shown = p.composer.styleChanged(p.controls, p.board);
    EXPECT_EQ(p.board.FontSize, 36);
    EXPECT_EQ(p.composer.text().TextHeight, 2 * (58 + 34) - 10);
    EXPECT_EQ(shown.pixel(2, 10), 0xFFFFFFu);  // the frame's white line at L − 1
}

TEST(BoardComposer, ADragMovesTheBoxAndShowsExactlyAFreshComposition) {
    Page4 p;
    p.composer.styleChanged(p.controls, p.board);
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
    Bitmap screen = p.composer.screenPicture();
    OverlayTextLayer(screen, fresh);
    EXPECT_EQ(p.composer.composeScreen(), screen);
}

}  // namespace
}  // namespace dorvane::compose
