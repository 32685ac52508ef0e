// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/board_composer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "compose/goal_text.h"
#include "compose/overlay.h"
#include "compose/preview.h"
#include "imaging/fit.h"
#include "imaging/scale.h"

namespace dorvane::compose {

namespace {

// A ratio below 1 gains nothing (Qt then shrinks the picture, as it always did);
// one far above any screen's would only cost memory.
double UsableRatio(double ratio) {
    return ratio > 1 ? std::min(ratio, 4.0) : 1.0;
}

int Device(int previewPixels, double ratio) {
    return static_cast<int>(std::lround(previewPixels * ratio));
}

}  // namespace

BoardComposer::BoardComposer(int screenWidth, int screenHeight, int dpi, double ratio)
    : dpi_(dpi),
      ratio_(UsableRatio(ratio)),
      layer_(screenWidth, screenHeight),
      screen_(screenWidth, screenHeight) {
    const imaging::Size size = imaging::FitSize(screenWidth, screenHeight, 353, 262);
    previewWidth_ = size.width;
    previewHeight_ = size.height;
    // Exactly `ratio` times the preview size, so the picture covers the same
    // preview pixels at every ratio.
    preview_ = imaging::Bitmap(Device(size.width, ratio_), Device(size.height, ratio_));
}

void BoardComposer::render(const GoalBoard& board) {
    text_ = RenderTextLayer(layer_, board, dpi_, previewWidth_);
}

imaging::Bitmap BoardComposer::preview() const {
    return RefreshPreview(preview_, layer_, text_, ratio_);
}

void BoardComposer::render(const GoalBoard& board, ScreenSize styled) {
    text_ = RenderTextLayerFor(layer_, board, styled, dpi_, previewWidth_);
}

void BoardComposer::setScreenPhoto(const imaging::Bitmap& photo) {
    const imaging::Rect crop = imaging::ScreenCropRect({photo.width(), photo.height()},
                                                       {screen_.width(), screen_.height()});
    imaging::Bitmap cropped(crop.width, crop.height);
    for (int y = 0; y < crop.height; ++y)
        std::memcpy(cropped.row(y), photo.row(crop.y + y) + std::size_t{3} * crop.x,
                    std::size_t{3} * crop.width);
    imaging::ScaleBitmap(cropped, screen_);
}

BoardComposer::Layers BoardComposer::release() && {
    return {std::move(screen_), std::move(layer_)};
}

void BoardComposer::mouseDown(MouseButton button, int x, int y, const GoalBoard& board) {
    drag_.MouseDown(button, x, y, board, text_);
}

BoardComposer::MouseResult BoardComposer::mouseMove(int x, int y, GoalBoard& board) {
    const TextBoxDrag::MoveResult move =
        drag_.MouseMove(x, y, board, text_, layer_.width(), layer_.height());
    MouseResult result{move.cursor, std::nullopt};
    if (move.redraw) {
        render(board);
        result.preview = preview();
    }
    return result;
}

bool BoardComposer::nudge(int dx, int dy, GoalBoard& board) {
    const GoalBoard before = board;
    NudgeTextBox(board, dx, dy, text_, layer_.width(), layer_.height());
    if (board == before) return false;
    render(board);
    return true;
}

imaging::Bitmap BoardComposer::composeScreen() const {
    imaging::Bitmap composed = screen_;
    OverlayTextLayer(composed, layer_);
    return composed;
}

}  // namespace dorvane::compose
