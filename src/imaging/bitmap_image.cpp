// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/bitmap_image.h"

#include <algorithm>

namespace dorvane::imaging {

QImage ToQImage(const Bitmap& bitmap) {
    if (bitmap.empty()) return {};
    return QImage(bitmap.data(), bitmap.width(), bitmap.height(),
                  static_cast<qsizetype>(bitmap.stride()), QImage::Format_RGB888)
        .copy();
}

Bitmap FromQImage(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    Bitmap out(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y)
        std::copy_n(rgb.constScanLine(y), rgb.width() * 3, out.row(y));
    return out;
}

}  // namespace dorvane::imaging
