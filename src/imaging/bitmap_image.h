// SPDX-License-Identifier: GPL-3.0-or-later
// Copies between our 24-bit Bitmap and QImage (for showing and for Qt's decoders).
#pragma once

#include <QImage>

#include "imaging/bitmap.h"

namespace dorvane::imaging {

QImage ToQImage(const Bitmap& bitmap);   // Format_RGB888, a deep copy
Bitmap FromQImage(const QImage& image);  // any format, flattened to RGB

}  // namespace dorvane::imaging
