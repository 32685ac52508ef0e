// SPDX-License-Identifier: GPL-3.0-or-later
// The page-4 composition as plain state: the text layer, the preview picture, the
// last rendering and the drag, with the steps that the style lists and the mouse
// trigger. The page-4 widgets only forward their events here and show the result.
#pragma once

#include <optional>

#include "compose/board_scaling.h"
#include "compose/goal_board.h"
#include "compose/style_controls.h"
#include "compose/text_box.h"
#include "compose/text_frame.h"
#include "compose/text_layer.h"
#include "imaging/bitmap.h"

namespace dorvane::compose {

class BoardComposer {
public:
    // Screen size and pixels per inch as the platform reports them, and the
    // device pixel ratio the preview is shown at (kept within 1 to 4).
    BoardComposer(int screenWidth, int screenHeight, int dpi, double ratio = 1);

    int screenWidth() const { return layer_.width(); }
    int screenHeight() const { return layer_.height(); }

    // The working pictures: the board's picture at screen size and at preview size
    // (the screen fitted into 353 × 262), filled by PrepareScreenPictures. At a
    // ratio above 1 the preview picture has that many device pixels per preview
    // pixel, so that a HiDPI screen shows it sharp; the mouse, the frame and the
    // hit zones stay in preview pixels.
    imaging::Bitmap& screenPicture() { return screen_; }
    imaging::Bitmap& previewPicture() { return preview_; }
    const imaging::Bitmap& screenPicture() const { return screen_; }
    const imaging::Bitmap& previewPicture() const { return preview_; }
    const TextLayer& textLayer() const { return layer_; }
    const TextRenderState& text() const { return text_; }
    double ratio() const { return ratio_; }
    int previewWidth() const { return previewWidth_; }  // in preview pixels
    int previewHeight() const { return previewHeight_; }

    // RenderTextLayer for the board.
    void render(const GoalBoard& board);
    // The same for a board styled on a screen of another size: its box and letters
    // scaled as board_scaling.h says (at the same size, exactly render()).
    void render(const GoalBoard& board, ScreenSize styled);
    // RefreshPreview: what the page-4 preview shows now.
    imaging::Bitmap preview() const;

    // The photograph cropped to the screen's proportions and resampled into the
    // screen picture, as PrepareScreenPictures does, without the preview: for
    // composing where nothing is shown (render, apply, other monitors).
    void setScreenPhoto(const imaging::Bitmap& photo);
    // Hands over the screen picture and the text layer; the composer is spent.
    struct Layers {
        imaging::Bitmap screen;
        TextLayer layer;
    };
    Layers release() &&;

    // The preview's mouse. A move returns the cursor and, when the box changed,
    // the new preview (the board's box fields are already updated).
    struct MouseResult {
        CursorShape cursor = CursorShape::Unchanged;
        std::optional<imaging::Bitmap> preview;
    };
    void mouseDown(MouseButton button, int x, int y, const GoalBoard& board);
    MouseResult mouseMove(int x, int y, GoalBoard& board);
    void mouseUp() { drag_.MouseUp(); }
    void endDrag() { drag_.EndDrag(); }
    // An arrow key: moves the box (kept on the screen) and renders; false when
    // nothing moved.
    bool nudge(int dx, int dy, GoalBoard& board);
    const TextBoxDrag& drag() const { return drag_; }

    // The composed board at screen size, as the full-screen preview and the
    // wallpaper show it.
    imaging::Bitmap composeScreen() const;

private:
    int dpi_;
    double ratio_;
    int previewWidth_;
    int previewHeight_;
    TextLayer layer_;
    imaging::Bitmap screen_;
    imaging::Bitmap preview_;
    TextRenderState text_;
    TextBoxDrag drag_;
};

}  // namespace dorvane::compose
