// SPDX-License-Identifier: GPL-3.0-or-later
// Moving and widening the text box with the mouse on the page-4 preview: the hit
// zones, the drag arithmetic and the limits that keep the box on the screen.
#pragma once

#include <cstdint>

#include "compose/goal_board.h"
#include "compose/text_frame.h"

namespace dorvane::compose {

enum HitZone : std::uint8_t { hzNone = 0, hzLeftEdge = 1, hzRightEdge = 2, hzMove = 3 };

inline constexpr int MinTextWidth = 50;
inline constexpr int kEdgeStrip = 9;  // preview pixels

enum class CursorShape { Unchanged, Arrow, SizeHorizontal, SizeAll };
enum class MouseButton { Left, Right, Middle };

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// The zone of preview point (x, y): later tests override earlier ones, so where
// the strips overlap the right strip wins and a narrow box has no move zone.
HitZone HitTestTextBox(const FrameRect& frame, int x, int y);

CursorShape CursorFor(HitZone zone);

struct DragOriginBox {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    friend bool operator==(const DragOriginBox&, const DragOriginBox&) = default;
};

// The drag state of the preview and the arithmetic of its mouse handlers.
class TextBoxDrag {
public:
    std::uint8_t DragMode = hzNone;
    Point DragStart;
    DragOriginBox DragOrigin;
    Point DragDelta;

    // Starts a drag on a left press inside the box; returns whether one started.
    bool MouseDown(MouseButton button, int x, int y, const GoalBoard& board,
                   const TextRenderState& text);

    struct MoveResult {
        CursorShape cursor = CursorShape::Unchanged;
        bool redraw = false;  // the box changed: render the text layer and the preview
    };
    // Applies a mouse move to the board's box within a screen of the given size.
    MoveResult MouseMove(int x, int y, GoalBoard& board, const TextRenderState& text,
                         int screenWidth, int screenHeight);

    void MouseUp() { DragMode = hzNone; }
    void EndDrag() { DragMode = hzNone; }

    // The limits that keep the box on the screen, applied after each step of a drag
    // in DragMode; x is the mouse's preview x (the drag re-bases there at the left edge).
    void ApplyLimits(int x, GoalBoard& board, int textHeight, int screenWidth, int screenHeight);
};

// Moves the box by (dx, dy) full-size pixels, kept on the screen as a drag keeps it.
// Nothing moves while there is no text (no box is shown).
void NudgeTextBox(GoalBoard& board, int dx, int dy, const TextRenderState& text, int screenWidth,
                  int screenHeight);

}  // namespace dorvane::compose
