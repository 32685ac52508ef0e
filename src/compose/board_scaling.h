// SPDX-License-Identifier: GPL-3.0-or-later
// The same board on screens of other sizes. A board remembers the screen it was
// styled on; composed for another one, its box and its letters scale by one
// factor, the smaller of the two sides' ratios, so that letters are never
// squeezed and a box that fitted still fits. The box keeps its place: the free
// space left and right of it (and above and below) is shared in the same
// proportion as before, so a box in a corner stays in that corner and a centred
// one stays centred. It is then kept wholly inside the picture, with smaller
// letters when even the scaled text is taller than the screen.
#pragma once

#include <cstdint>

#include "compose/goal_board.h"
#include "compose/text_frame.h"
#include "compose/text_layer.h"

namespace dorvane::compose {

struct ScreenSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const ScreenSize&, const ScreenSize&) = default;
};

// The screen the board was styled on: its ScreenWidth × ScreenHeight, or
// `fallback` when it does not hold a sound size.
ScreenSize StyledScreen(const GoalBoard& board, ScreenSize fallback);

// The factor from one screen to another: the smaller of width and height ratios.
double ScreenScale(ScreenSize from, ScreenSize to);

// Where a box of `extent` at `position` on a span of `span` goes on a span of
// `newSpan` when it is `newExtent` there: the space before it keeps its share of
// the free space, and the box stays within the span (at 0 when it cannot fit).
int MapBoxPosition(std::int64_t position, std::int64_t extent, std::int64_t span,
                   std::int64_t newExtent, std::int64_t newSpan);

// The height of the board's text block at dpi (as DrawGoalText returns it),
// measured without drawing.
int MeasureTextHeight(const GoalBoard& board, int dpi);

// A board ready to be drawn on another screen: its box in that screen's pixels and
// the pixels per inch that scale its letters.
struct ScaledBoard {
    GoalBoard board;
    int dpi = 96;
};

// The board styled on `from` (drawn there at `dpi`) for the screen `to`. The same
// size gives the board unchanged.
ScaledBoard ScaleBoard(const GoalBoard& board, ScreenSize from, ScreenSize to, int dpi);

// RenderTextLayer on a layer of any size, for a board styled on `styled`: at that
// size exactly RenderTextLayer; at any other, the board scaled by ScaleBoard.
TextRenderState RenderTextLayerFor(TextLayer& layer, const GoalBoard& board, ScreenSize styled,
                                   int dpi, int previewWidth);

// The board restyled for `to`, for editing there: its box and font size scaled as
// ScaleBoard does (the size rounded to a whole point), and styled on `to` from now
// on. A board styled on `to` (or not saying, then taken as styled there) is unchanged.
void RestyleBoard(GoalBoard& board, ScreenSize to, int dpi);

}  // namespace dorvane::compose
