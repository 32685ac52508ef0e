// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/text_box.h"

#include <gtest/gtest.h>

namespace dorvane::compose {
namespace {

constexpr int kW = 1024, kH = 768, kPreviewWidth = 349;

// The page-4 state on a 1024 × 768 screen: the default box, a block 50 high.
struct Page {
    GoalBoard board = NewBoard(kW);
    int textHeight = 50;
    TextRenderState text = UpdateTextFrame(board, textHeight, kPreviewWidth, kW);
    TextBoxDrag drag;

    void rerender() { text = UpdateTextFrame(board, textHeight, kPreviewWidth, kW); }
    void down(int x, int y, MouseButton b = MouseButton::Left) {
        drag.MouseDown(b, x, y, board, text);
    }
    TextBoxDrag::MoveResult move(int x, int y) {
        auto r = drag.MouseMove(x, y, board, text, kW, kH);
        if (r.redraw) rerender();
        return r;
    }
};

TEST(HitTestTextBox, ZonesOfTheDefaultBox) {
    Page p;
    ASSERT_EQ(p.text.Frame, (FrameRect{3, 3, 346, 20}));
    EXPECT_EQ(HitTestTextBox(p.text.Frame, 5, 10), hzLeftEdge);
    EXPECT_EQ(HitTestTextBox(p.text.Frame, 340, 10), hzRightEdge);
    EXPECT_EQ(HitTestTextBox(p.text.Frame, 100, 10), hzMove);
    EXPECT_EQ(HitTestTextBox(p.text.Frame, 100, 25), hzNone);
    EXPECT_EQ(HitTestTextBox(p.text.Frame, 3, 3), hzLeftEdge);  // lower ends included
    EXPECT_EQ(HitTestTextBox(p.text.Frame, 346, 10), hzNone);   // upper ends excluded
    EXPECT_EQ(HitTestTextBox(p.text.Frame, 100, 20), hzNone);
}

TEST(HitTestTextBox, NarrowBoxesHaveNoMoveZoneAndTheRightStripWins) {
    const FrameRect eighteen{100, 10, 118, 30};
    for (int x = 100; x < 118; ++x) EXPECT_NE(HitTestTextBox(eighteen, x, 15), hzMove) << x;
    EXPECT_EQ(HitTestTextBox(eighteen, 109, 15), hzRightEdge);
    EXPECT_EQ(HitTestTextBox(eighteen, 108, 15), hzLeftEdge);
    const FrameRect nineteen{100, 10, 119, 30};
    EXPECT_EQ(HitTestTextBox(nineteen, 109, 15), hzMove);
    const FrameRect nine{100, 10, 109, 30};
    for (int x = 100; x < 109; ++x) EXPECT_EQ(HitTestTextBox(nine, x, 15), hzRightEdge);
    EXPECT_EQ(HitTestTextBox(FrameRect{}, 0, 0), hzNone);
}

TEST(TextBoxDrag, RightEdgeTenPreviewPixelsLeftNarrowsBy29) {
    Page p;
    p.down(340, 10);
    ASSERT_EQ(p.drag.DragMode, hzRightEdge);
    const auto r = p.move(330, 10);
    EXPECT_TRUE(r.redraw);
    EXPECT_EQ(r.cursor, CursorShape::SizeAll);  // the zone under the mouse before the box moved
    EXPECT_EQ(p.board.TextWidth, 1004 - 29);
    EXPECT_EQ(p.drag.DragDelta, (Point{-10, 0}));
}

TEST(TextBoxDrag, EdgesStopAtTheMinimumWidth) {
    Page right;
    right.down(340, 10);
    right.move(-200, 10);
    EXPECT_EQ(right.board.TextWidth, MinTextWidth);
    EXPECT_EQ(right.board.TextPosX, 10);  // the left edge stays
    Page left;
    left.down(5, 10);
    ASSERT_EQ(left.drag.DragMode, hzLeftEdge);
    left.move(600, 10);
    EXPECT_EQ(left.board.TextWidth, MinTextWidth);
    EXPECT_EQ(left.board.TextPosX + left.board.TextWidth, 1014);  // the right edge stays
}

TEST(TextBoxDrag, LeftEdgeDragKeepsTheRightEdge) {
    Page p;
    p.down(5, 10);
    p.move(15, 10);  // 10 preview pixels = 29 full-size pixels
    EXPECT_EQ(p.board.TextPosX, 39);
    EXPECT_EQ(p.board.TextWidth, 975);
}

TEST(TextBoxDrag, MovingPastTheLeftEdgeNarrowsAndReBases) {
    Page p;
    p.board.TextPosX = 100;
    p.board.TextWidth = 500;
    p.rerender();
    p.down(100, 10);
    ASSERT_EQ(p.drag.DragMode, hzMove);
    p.move(50, 10);  // 50 / s = 146.7 -> 147: 100 - 147 = -47
    EXPECT_EQ(p.board.TextPosX, 2);
    EXPECT_EQ(p.board.TextWidth, 453);
    EXPECT_EQ(p.drag.DragStart.x, 50);
    EXPECT_EQ(p.drag.DragOrigin, (DragOriginBox{2, 10, 453}));
    p.move(60, 10);  // back to the right: the narrower box moves
    EXPECT_EQ(p.board.TextPosX, 2 + 29);
    EXPECT_EQ(p.board.TextWidth, 453);
}

TEST(TextBoxDrag, OvershootNeverLeavesLessThanTheMinimumWidth) {
    Page p;
    p.board.TextPosX = 20;
    p.board.TextWidth = 60;
    p.rerender();
    p.down(16, 10);  // the box is 20 preview pixels wide: a 2-pixel move zone
    ASSERT_EQ(p.drag.DragMode, hzMove);
    p.move(-300, 10);
    EXPECT_EQ(p.board.TextPosX, 2);
    EXPECT_EQ(p.board.TextWidth, MinTextWidth);
}

TEST(TextBoxDrag, TopAndBottomAndRightLimits) {
    Page up;
    up.down(100, 10);
    up.move(100, -50);
    EXPECT_EQ(up.board.TextPosY, 2);
    Page down;
    down.down(100, 10);
    down.move(100, 400);
    EXPECT_EQ(down.board.TextPosY + down.textHeight, kH - 2);
    Page right;
    right.board.TextWidth = 300;
    right.rerender();
    right.down(50, 10);
    right.move(400, 10);  // far to the right: narrowed to the edge, then to the minimum
    EXPECT_EQ(right.board.TextPosX, kW - 52);
    EXPECT_EQ(right.board.TextWidth, MinTextWidth);
}

TEST(TextBoxDrag, AMinimumBoxOn1024HasNoMoveZone) {
    Page p;
    p.board.TextPosX = 500;
    p.board.TextWidth = MinTextWidth;
    p.rerender();
    const int width = p.text.Frame.right - p.text.Frame.left;
    EXPECT_TRUE(width == 17 || width == 18);
    for (int x = p.text.Frame.left; x < p.text.Frame.right; ++x) {
        p.down(x, 10);
        EXPECT_TRUE(p.drag.DragMode == hzLeftEdge || p.drag.DragMode == hzRightEdge) << x;
        p.drag.MouseUp();
    }
}

TEST(TextBoxDrag, OnlyTheLeftButtonStartsADragAndUpEndsIt) {
    Page p;
    p.down(100, 10, MouseButton::Right);
    EXPECT_EQ(p.drag.DragMode, hzNone);
    EXPECT_FALSE(p.move(120, 10).redraw);
    EXPECT_EQ(p.board.TextPosX, 10);
    p.down(100, 10);
    p.drag.MouseUp();
    EXPECT_FALSE(p.move(120, 10).redraw);
}

TEST(TextBoxDrag, WithoutTextNothingHitsAndTheCursorStays) {
    Page p;
    p.textHeight = -10;
    p.rerender();
    p.down(100, 10);
    EXPECT_EQ(p.drag.DragMode, hzNone);
    EXPECT_EQ(p.move(100, 10).cursor, CursorShape::Unchanged);
    Page q;
    EXPECT_EQ(q.move(100, 100).cursor, CursorShape::Arrow);
    EXPECT_EQ(q.move(100, 10).cursor, CursorShape::SizeAll);
}

}  // namespace
}  // namespace dorvane::compose
