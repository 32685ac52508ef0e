// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/text_box.h"

#include <algorithm>
#include <limits>

#include "base/ascii.h"
#include "base/rounding.h"

namespace dorvane::compose {
namespace {

constexpr int kInset = 2;  // a limit puts the box this far inside the screen's edge

std::int32_t Clamp32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

HitZone HitTestTextBox(const FrameRect& f, int x, int y) {
    HitZone zone = hzNone;
    if (y < f.top || y >= f.bottom) return zone;
    if (x >= f.left && x < f.right) zone = hzMove;
    if (x >= f.left && x < f.left + kEdgeStrip) zone = hzLeftEdge;
    if (x >= f.right - kEdgeStrip && x < f.right) zone = hzRightEdge;
    return zone;
}

CursorShape CursorFor(HitZone zone) {
    switch (zone) {
        case hzLeftEdge:
        case hzRightEdge:
            return CursorShape::SizeHorizontal;
        case hzMove:
            return CursorShape::SizeAll;
        default:
            return CursorShape::Arrow;
    }
}

bool TextBoxDrag::MouseDown(MouseButton button, int x, int y, const GoalBoard& board,
                            const TextRenderState& text) {
    if (button != MouseButton::Left) return false;
    DragMode = HitTestTextBox(text.Frame, x, y);
    if (DragMode == hzNone) return false;
    DragStart = {x, y};
    DragOrigin = {board.TextPosX, board.TextPosY, board.TextWidth};
    DragDelta = {0, 0};
    return true;
}

TextBoxDrag::MoveResult TextBoxDrag::MouseMove(int x, int y, GoalBoard& board,
                                               const TextRenderState& text, int screenWidth,
                                               int screenHeight) {
    MoveResult result;
    if (text.TextHeight > 0) result.cursor = CursorFor(HitTestTextBox(text.Frame, x, y));
    if (DragMode == hzNone || text.PreviewScale <= 0) return result;
    DragDelta = {x - DragStart.x, y - DragStart.y};
    const std::int64_t ex = base::RoundHalfEven(DragDelta.x / text.PreviewScale);
    const std::int64_t ey = base::RoundHalfEven(DragDelta.y / text.PreviewScale);
    if (DragMode == hzLeftEdge) {
        board.TextPosX = Clamp32(DragOrigin.x + ex);
        board.TextWidth = Clamp32(DragOrigin.width - ex);
    } else if (DragMode == hzRightEdge) {
        board.TextWidth = Clamp32(DragOrigin.width + ex);
    } else {
        board.TextPosX = Clamp32(DragOrigin.x + ex);
        board.TextPosY = Clamp32(DragOrigin.y + ey);
    }
    ApplyLimits(x, board, text.TextHeight, screenWidth, screenHeight);
    result.redraw = true;
    return result;
}

void TextBoxDrag::ApplyLimits(int x, GoalBoard& board, int textHeight, int screenWidth,
                              int screenHeight) {
    if (board.TextPosX < 0) {  // cut off what lies beyond the left edge; re-base the drag
        board.TextWidth =
            std::max(MinTextWidth, Clamp32(std::int64_t{board.TextWidth} + board.TextPosX));
        board.TextPosX = kInset;
        DragStart.x = x;
        DragOrigin.x = kInset;
        DragOrigin.width = board.TextWidth;
    }
    if (board.TextPosY < 0) board.TextPosY = kInset;
    if (board.TextWidth < MinTextWidth) {
        // An edge dragged too far: the other edge stays where it was.
        if (DragMode == hzLeftEdge) {
            const std::int64_t right = std::int64_t{board.TextPosX} + board.TextWidth;
            board.TextPosX = Clamp32(std::max<std::int64_t>(right - MinTextWidth, kInset));
        }
        board.TextWidth = MinTextWidth;
    }
    if (std::int64_t{board.TextPosX} + board.TextWidth > screenWidth) {
        board.TextWidth = Clamp32(std::int64_t{screenWidth} - board.TextPosX - kInset);
        if (board.TextWidth < MinTextWidth) {
            board.TextPosX = screenWidth - MinTextWidth - kInset;
            board.TextWidth = MinTextWidth;
        }
    }
    if (std::int64_t{board.TextPosY} + textHeight > screenHeight)
        board.TextPosY = Clamp32(std::int64_t{screenHeight} - textHeight - kInset);
}

void NudgeTextBox(GoalBoard& board, int dx, int dy, const TextRenderState& text, int screenWidth,
                  int screenHeight) {
    if (text.TextHeight < 1) return;
    board.TextPosX = Clamp32(std::int64_t{board.TextPosX} + dx);
    board.TextPosY = Clamp32(std::int64_t{board.TextPosY} + dy);
    TextBoxDrag drag;
    drag.DragMode = hzMove;
    drag.ApplyLimits(0, board, text.TextHeight, screenWidth, screenHeight);
}

}  // namespace dorvane::compose
