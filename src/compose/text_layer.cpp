// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/text_layer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/error.h"

namespace dorvane::compose {

namespace {

// A wholly transparent image in memory that comes zeroed from the system: a
// screen-sized layer costs no time until text is drawn on it, and only the rows
// drawn on are ever touched. Null when there is no memory for it.
QImage TransparentImage(int width, int height) {
    if (width <= 0 || height <= 0)
        return QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    const auto rowBytes = static_cast<qsizetype>(width) * 4;
    void* memory =
        std::calloc(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(height), 1);
    if (memory == nullptr) return {};
    return QImage(
        static_cast<uchar*>(memory), width, height, rowBytes, QImage::Format_ARGB32_Premultiplied,
        [](void* m) { std::free(m); }, memory);
}

}  // namespace

TextLayer::TextLayer(int width, int height) : image_(TransparentImage(width, height)) {
    if (width > 0 && height > 0 && image_.isNull())
        throw base::Error("Not enough memory for a text layer of " + std::to_string(width) + "x" +
                          std::to_string(height));
    rows_.resize(static_cast<std::size_t>(std::max(0, height)));
}

void TextLayer::clear() {
    if (bounds_.isEmpty()) return;
    for (int y = bounds_.top(); y <= bounds_.bottom(); ++y) {
        Span& span = rows_[static_cast<std::size_t>(y)];
        if (span.right >= span.left)
            std::memset(image_.scanLine(y) + static_cast<std::size_t>(span.left) * 4, 0,
                        static_cast<std::size_t>(span.right - span.left + 1) * 4);
        span = Span{};
    }
    bounds_ = QRect();
}

void TextLayer::clearAll() {
    image_.fill(Qt::transparent);
    std::fill(rows_.begin(), rows_.end(), Span{});
    bounds_ = QRect();
}

void TextLayer::markDrawn(const QRect& area) {
    const QRect r = area.intersected(image_.rect());
    if (r.isEmpty()) return;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        Span& span = rows_[static_cast<std::size_t>(y)];
        if (span.right < span.left) {
            span = {r.left(), r.right()};
        } else {
            span.left = std::min(span.left, r.left());
            span.right = std::max(span.right, r.right());
        }
    }
    bounds_ = bounds_.united(r);
}

}  // namespace dorvane::compose
