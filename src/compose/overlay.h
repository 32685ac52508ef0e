// SPDX-License-Identifier: GPL-3.0-or-later
// Laying the text layer over a picture of any size.
#pragma once

#include <utility>

#include "compose/text_layer.h"
#include "imaging/bitmap.h"

namespace dorvane::compose {

// Draws the layer over the whole picture, scaled by sampling the nearest layer
// pixel (the one under each target pixel's centre; no smoothing, rows and columns
// dropped when shrinking). Each pixel blends by the text's coverage: untouched
// pixels keep the picture exactly, fully covered ones become exactly the text colour.
void OverlayTextLayer(imaging::Bitmap& image, const TextLayer& layer);

// The same for a band of a picture: `band` holds the rows from firstRow on of a
// picture of band.width() × fullHeight, and gets exactly the result that
// OverlayTextLayer gives those rows of the whole picture.
void OverlayTextLayerRows(imaging::Bitmap& band, const TextLayer& layer, int fullHeight,
                          int firstRow);

// The same for a part of a picture of the layer's own size: `part` holds the
// pixels from `origin` on and gets exactly what OverlayTextLayer gives them there.
void OverlayTextLayerPart(imaging::Bitmap& part, const TextLayer& layer, QPoint origin);

// The rows [first, end) of a picture fullHeight rows high that the layer's text
// can change; every other row keeps the picture's pixels (first == end: none).
std::pair<int, int> OverlaidRows(const TextLayer& layer, int fullHeight);

}  // namespace dorvane::compose
