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

}  // namespace

void OverlayTextLayer(Bitmap& image, const TextLayer& layer) {
    if (image.empty() || layer.width() <= 0 || layer.height() <= 0) return;
    const QImage& source = layer.image();
    const std::vector<int> columns = NearestMap(image.width(), layer.width());
    const std::vector<int> rows = NearestMap(image.height(), layer.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(
            source.constScanLine(rows[static_cast<std::size_t>(y)]));
        std::uint8_t* to = image.row(y);
        for (int x = 0; x < image.width(); ++x)
            BlendPixel(to + 3 * x, from[columns[static_cast<std::size_t>(x)]]);
    }
}

}  // namespace dorvane::compose
