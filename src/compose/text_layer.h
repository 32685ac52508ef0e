// SPDX-License-Identifier: GPL-3.0-or-later
// The screen-sized layer that holds the goal text. Each pixel carries the text's
// colour premultiplied by its coverage: 0 where no glyph touches (the picture shows
// through unchanged), 255 inside a glyph (exactly the text or shadow colour), and
// the smoothed edges in between, so that edges blend with the picture beneath.
#pragma once

#include <QImage>
#include <QRect>
#include <vector>

namespace dorvane::compose {

class TextLayer {
public:
    TextLayer() = default;
    TextLayer(int width, int height);  // wholly transparent

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

    // Format_ARGB32_Premultiplied; alpha is the text's coverage.
    const QImage& image() const { return image_; }

    // Makes the layer wholly transparent again. Only the areas drawn since the last
    // clear are touched, so the cost follows the text, not the screen.
    void clear();
    // Clears every pixel (the cost of a full redraw, for comparison).
    void clearAll();

    // For drawing: the image and the record of the areas the drawing may touch.
    QImage& canvas() { return image_; }
    void markDrawn(const QRect& area);

    // A rectangle outside which every pixel is transparent (empty: all of them).
    QRect drawnBounds() const { return bounds_; }

private:
    struct Span {
        int left = 0;
        int right = -1;  // inclusive; right < left: nothing drawn in this row
    };
    QImage image_;
    std::vector<Span> rows_;  // per row, the columns drawn since the last clear
    QRect bounds_;
};

}  // namespace dorvane::compose
