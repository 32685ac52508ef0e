// SPDX-License-Identifier: GPL-3.0-or-later
// 16.16 fixed-point bilinear resampling and the screen/preview preparation.
#pragma once

#include "imaging/bitmap.h"

namespace dorvane::imaging {

// Resamples source into destination, whose size the caller has set. A same-size
// request is a copy; otherwise the destination needs at least one column and two
// rows, or dorvane::base::Error is thrown and nothing is written.
void ScaleBitmap(const Bitmap& source, Bitmap& destination);

// Crops `full` to the proportions of `screen` (ScreenCropRect) and resamples the
// crop into `screen` and then into `preview`, both already sized by the caller.
void PrepareScreenPictures(const Bitmap& full, Bitmap& screen, Bitmap& preview);

}  // namespace dorvane::imaging
