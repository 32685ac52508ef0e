// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/overlay.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace dorvane::compose {
namespace {

// round(v / 255) for v in [0, 255 × 255].
inline std::uint32_t Div255(std::uint32_t v) {
    v += 128;
    return (v + (v >> 8)) >> 8;
}

// The source index sampled for each target index: the one under its centre.
std::vector<int> NearestMap(int targetSize, int sourceSize) {
    std::vector<int> map(static_cast<std::size_t>(targetSize));
    for (int i = 0; i < targetSize; ++i)
        map[static_cast<std::size_t>(i)] = static_cast<int>(
            ((2 * std::int64_t{i} + 1) * sourceSize) / (2 * std::int64_t{targetSize}));
    return map;
}

void BlendPixel(std::uint8_t* rgb, std::uint32_t argb) {
    const std::uint32_t alpha = argb >> 24;
    if (alpha == 0) return;
    const std::uint32_t keep = 255 - alpha;
    rgb[0] = static_cast<std::uint8_t>(Div255(rgb[0] * keep) + ((argb >> 16) & 0xFF));
    rgb[1] = static_cast<std::uint8_t>(Div255(rgb[1] * keep) + ((argb >> 8) & 0xFF));
    rgb[2] = static_cast<std::uint8_t>(Div255(rgb[2] * keep) + (argb & 0xFF));
}

// The first index of a monotonic map that samples `from` or beyond.
int FirstSampling(const std::vector<int>& map, int from) {
    return static_cast<int>(std::lower_bound(map.begin(), map.end(), from) - map.begin());
}

}  // namespace

void OverlayTextLayer(imaging::Bitmap& image, const TextLayer& layer) {
    OverlayTextLayerRows(image, layer, image.height(), 0);
}

void OverlayTextLayerRows(imaging::Bitmap& band, const TextLayer& layer, int fullHeight,
                          int firstRow) {
    const QRect drawn = layer.drawnBounds();
    if (band.empty() || drawn.isEmpty()) return;
    const QImage& source = layer.image();
    const std::vector<int> columns = NearestMap(band.width(), layer.width());
    const std::vector<int> rows = NearestMap(fullHeight, layer.height());
    // Only the targets that sample the drawn area can change (the maps are monotonic).
    const auto first = [](const std::vector<int>& map, int from) {
        return static_cast<int>(std::lower_bound(map.begin(), map.end(), from) - map.begin());
    };
    const int x0 = first(columns, drawn.left()), x1 = first(columns, drawn.right() + 1);
    const int y0 = std::max(first(rows, drawn.top()), firstRow);
    const int y1 = std::min(first(rows, drawn.bottom() + 1), firstRow + band.height());
    for (int y = y0; y < y1; ++y) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(
            source.constScanLine(rows[static_cast<std::size_t>(y)]));
        std::uint8_t* to = band.row(y - firstRow);
        for (int x = x0; x < x1; ++x)
            BlendPixel(to + 3 * x, from[columns[static_cast<std::size_t>(x)]]);
    }
}

void OverlayTextLayerPart(imaging::Bitmap& part, const TextLayer& layer, QPoint origin) {
    const QRect target =
        QRect(origin, QSize(part.width(), part.height())).intersected(layer.drawnBounds());
    if (target.isEmpty()) return;
    const QImage& source = layer.image();
    for (int y = target.top(); y <= target.bottom(); ++y) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(source.constScanLine(y));
        std::uint8_t* to = part.row(y - origin.y()) + 3 * (target.left() - origin.x());
        for (int x = target.left(); x <= target.right(); ++x, to += 3) BlendPixel(to, from[x]);
    }
}

std::pair<int, int> OverlaidRows(const TextLayer& layer, int fullHeight) {
    const QRect drawn = layer.drawnBounds();
    if (drawn.isEmpty() || fullHeight <= 0) return {0, 0};
    const std::vector<int> rows = NearestMap(fullHeight, layer.height());
    return {FirstSampling(rows, drawn.top()), FirstSampling(rows, drawn.bottom() + 1)};
}

}  // namespace dorvane::compose
