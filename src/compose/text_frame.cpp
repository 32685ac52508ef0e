// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/text_frame.h"

#include <algorithm>
#include <limits>

#include "base/ascii.h"
#include "base/rounding.h"

namespace dorvane::compose {
namespace {

int ScaleEdge(std::int64_t fullSize, double scale) {
    // Clamped so that absurd boxes from edited files cannot overflow.
    constexpr double kLimit = 1 << 30;
    return static_cast<int>(base::RoundHalfEven(std::clamp(fullSize * scale, -kLimit, kLimit)));
}

}  // namespace

TextRenderState UpdateTextFrame(const GoalBoard& board, int textHeight, int previewWidth,
                                int screenWidth) {
    TextRenderState state;
    state.TextHeight = textHeight;
    state.PreviewScale =
        screenWidth > 0 ? static_cast<double>(previewWidth) / static_cast<double>(screenWidth) : 0;
    if (textHeight < 1) state.PreviewScale = 0;
    const double s = state.PreviewScale;
    state.Frame.left = ScaleEdge(board.TextPosX, s);
    state.Frame.top = ScaleEdge(board.TextPosY, s);
    state.Frame.right = ScaleEdge(std::int64_t{board.TextPosX} + board.TextWidth, s);
    state.Frame.bottom = ScaleEdge(std::int64_t{board.TextPosY} + textHeight, s);
    return state;
}

}  // namespace dorvane::compose
