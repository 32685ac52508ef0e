// SPDX-License-Identifier: GPL-3.0-or-later
// The page-4 preview: the picture at preview size, the text over it, and the
// frame that marks the text box.
#pragma once

#include "compose/text_frame.h"
#include "compose/text_layer.h"
#include "imaging/bitmap.h"

namespace dorvane::compose {

// Draws the frame of `frame` over image: a dotted red line on the box's border
// (columns L and R − 1, rows T and B − 1) and a solid white line directly outside
// it (columns L − 1 and R, rows T − 1 and B). The frame is in preview pixels and
// the image has `ratio` device pixels per preview pixel (a HiDPI preview): the
// lines keep their place and are `ratio` device pixels wide.
void DrawTextBoxFrame(imaging::Bitmap& image, const FrameRect& frame, double ratio = 1);

// The preview picture with the text layer laid over it and, when there is text
// (TextHeight > 0), the frame of the text box; previewPicture has `ratio` device
// pixels per preview pixel.
imaging::Bitmap RefreshPreview(const imaging::Bitmap& previewPicture, const TextLayer& layer,
                               const TextRenderState& state, double ratio = 1);

}  // namespace dorvane::compose
