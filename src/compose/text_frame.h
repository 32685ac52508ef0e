// SPDX-License-Identifier: GPL-3.0-or-later
// The text box mapped into preview pixels.
#pragma once

#include <cstdint>

#include "compose/goal_board.h"

namespace dorvane::compose {

struct FrameRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const FrameRect&, const FrameRect&) = default;
};

// What the last rendering of the text layer left for the preview and the mouse.
struct TextRenderState {
    int TextHeight = 0;         // full-size pixels; 0 or less when nothing was drawn
    double PreviewScale = 0.0;  // preview pixels per full-size pixel; 0 without text
    FrameRect Frame;
};

// PreviewScale = previewWidth / screenWidth (0 when textHeight < 1); the box's
// edges scaled by it and rounded, halves to even. The horizontal scale serves
// both axes: the preview has the screen's proportions.
TextRenderState UpdateTextFrame(const GoalBoard& board, int textHeight, int previewWidth,
                                int screenWidth);

}  // namespace dorvane::compose
