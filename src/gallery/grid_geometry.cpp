// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/grid_geometry.h"

#include <Qt>
#include <algorithm>
#include <cmath>

#include "gallery/catalogue.h"

namespace dorvane::gallery {

int RowLeft(int gridWidth) {
    return (gridWidth - 332) / 2;
}

GridPoint ThumbnailPosition(int n, int gridWidth) {
    const int index = n - 1;
    return {RowLeft(gridWidth) + kColumnStep * (index % 3),
            kFirstRowTop + kRowStep * (index / 3 + 1)};
}

int SpacerTop(int count) {
    const int rows = (count + 2) / 3;
    return kFirstRowTop + kRowStep * rows + kRowStep;
}

int ContentHeight(int count) {
    return SpacerTop(count) + kSpacerHeight;
}

GridRect SelectionFrame(GridPoint t) {
    const int w = kFramePen;
    return {t.x - w - 1, t.y - w - 1, kThumbWidth + 2 * w + 1, kThumbHeight + 2 * w + 1};
}

int ScrollPositionFor(int n, int count, int viewHeight) {
    if (count < 1) return 0;
    const int range = ContentHeight(count) - viewHeight;
    if (range <= 0) return 0;
    const int bandTop = ThumbnailPosition(ClampPictureNumber(n, count), 0).y - 12;
    // round(range × (bandTop ÷ range)) is bandTop, rounding halves to even.
    const double exact = static_cast<double>(range) * (static_cast<double>(bandTop) / range);
    const int position = static_cast<int>(std::nearbyint(exact)) - kRowStep;
    return std::clamp(position, 0, range);
}

int ArrowStep(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Left:
            return -1;
        case Qt::Key_Up:
            return -3;
        case Qt::Key_Right:
            return 1;
        case Qt::Key_Down:
            return 3;
        default:
            return 0;
    }
}

}  // namespace dorvane::gallery
