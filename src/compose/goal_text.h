// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing the goal lines of a board at full size, and redrawing the text layer.
#pragma once

#include <QFont>

#include "compose/goal_board.h"
#include "compose/text_frame.h"
#include "compose/text_layer.h"

class QPainter;

namespace dorvane::compose {

// The goal font: family FontName (the default font when empty), em height from
// the size clamped to the drawable range, bold and italic from FontStyle, smooth
// grey edges.
QFont GoalFont(const GoalBoard& board, int dpi);

// Draws the board's goals with their top-left at (TextPosX, TextPosY) in full-size
// pixels and returns the height of the text block (−10 at 96 dpi for no text).
// Areas drawn are recorded in `layer` so that the next clear can be partial.
int DrawGoalText(QPainter& painter, TextLayer& layer, const GoalBoard& board, int dpi);

// Clears the layer, draws the board's text and maps its box into the preview,
// whose width is previewWidth.
TextRenderState RenderTextLayer(TextLayer& layer, const GoalBoard& board, int dpi,
                                int previewWidth);

}  // namespace dorvane::compose
