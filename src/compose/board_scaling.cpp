// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/board_scaling.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

#include "compose/goal_text.h"
#include "compose/text_metrics.h"

namespace dorvane::compose {
namespace {

// Text taller than the screen even when scaled gets smaller letters, at least a
// point per inch less each round; the height follows the letters nearly in
// proportion, so a few rounds settle it.
constexpr int kFitRounds = 16;

int ToInt(double v) {
    constexpr double kLimit = std::numeric_limits<std::int32_t>::max();
    return static_cast<int>(std::lround(std::clamp(v, -kLimit, kLimit)));
}

}  // namespace

ScreenSize StyledScreen(const GoalBoard& board, ScreenSize fallback) {
    if (board.ScreenWidth >= 1 && board.ScreenHeight >= 1)
        return {board.ScreenWidth, board.ScreenHeight};
    return fallback;
}

double ScreenScale(ScreenSize from, ScreenSize to) {
    if (from.width < 1 || from.height < 1) return 1;
    return std::min(static_cast<double>(to.width) / from.width,
                    static_cast<double>(to.height) / from.height);
}

int MapBoxPosition(std::int64_t position, std::int64_t extent, std::int64_t span,
                   std::int64_t newExtent, std::int64_t newSpan) {
    const std::int64_t newFree = newSpan - newExtent;
    if (newFree <= 0) return 0;
    const std::int64_t free = span - extent;
    // A box that filled its span, or hung over it, goes to the side it hung over.
    if (free <= 0) return position <= 0 ? 0 : static_cast<int>(newFree);
    const double mapped =
        static_cast<double>(position) * static_cast<double>(newFree) / static_cast<double>(free);
    return static_cast<int>(
        std::clamp<std::int64_t>(ToInt(mapped), 0, std::min<std::int64_t>(newFree, INT32_MAX)));
}

int MeasureTextHeight(const GoalBoard& board, int dpi) {
    // Lines outside the layer are counted, not drawn: a layer of one pixel and the
    // box far below it measure the block without painting it.
    TextLayer probe(1, 1);
    GoalBoard far = board;
    far.TextPosY = 1 << 30;
    QPainter painter(&probe.canvas());
    return DrawGoalText(painter, probe, far, dpi);
}

ScaledBoard ScaleBoard(const GoalBoard& board, ScreenSize from, ScreenSize to, int dpi) {
    ScaledBoard out{board, dpi};
    if (from == to || from.width < 1 || from.height < 1 || to.width < 1 || to.height < 1 || dpi < 1)
        return out;
    const int styledHeight = std::max(0, MeasureTextHeight(board, dpi));
    int scaledDpi = std::max(1, ToInt(dpi * ScreenScale(from, to)));
    for (int round = 0; round < kFitRounds; ++round) {
        // The letters scale through the pixels per inch; the box by the same factor,
        // so that lines break where they broke.
        out.dpi = scaledDpi;
        const double s = static_cast<double>(out.dpi) / dpi;
        out.board.TextWidth = std::min(ToInt(board.TextWidth * s), to.width);
        out.board.TextPosX = MapBoxPosition(board.TextPosX, std::max(0, board.TextWidth),
                                            from.width, std::max(0, out.board.TextWidth), to.width);
        const int height = MeasureTextHeight(out.board, out.dpi);
        if (height > to.height && out.dpi > 1 && round + 1 < kFitRounds) {
            scaledDpi =
                std::clamp(ToInt(std::floor(static_cast<double>(out.dpi) * to.height / height)), 1,
                           out.dpi - 1);
            continue;
        }
        out.board.TextPosY = MapBoxPosition(board.TextPosY, styledHeight, from.height,
                                            std::max(0, height), to.height);
        break;
    }
    return out;
}

TextRenderState RenderTextLayerFor(TextLayer& layer, const GoalBoard& board, ScreenSize styled,
                                   int dpi, int previewWidth) {
    const ScreenSize to{layer.width(), layer.height()};
    if (styled == to) return RenderTextLayer(layer, board, dpi, previewWidth);
    const ScaledBoard scaled = ScaleBoard(board, styled, to, dpi);
    return RenderTextLayer(layer, scaled.board, scaled.dpi, previewWidth);
}

void RestyleBoard(GoalBoard& board, ScreenSize to, int dpi) {
    const ScreenSize from = StyledScreen(board, to);
    if (from != to && dpi >= 1) {
        const ScaledBoard scaled = ScaleBoard(board, from, to, dpi);
        const double s = static_cast<double>(scaled.dpi) / dpi;
        board.FontSize = std::max(1, ToInt(DrawnFontSize(board.FontSize) * s));
        board.TextPosX = scaled.board.TextPosX;
        board.TextPosY = scaled.board.TextPosY;
        board.TextWidth = scaled.board.TextWidth;
    }
    board.ScreenWidth = to.width;
    board.ScreenHeight = to.height;
}

}  // namespace dorvane::compose
