// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/text_layer.h"

#include <cstring>

#include "platform/error.h"

namespace dorvane::compose {

TextLayer::TextLayer(int width, int height)
    : image_(width, height, QImage::Format_ARGB32_Premultiplied) {
    if (width > 0 && height > 0 && image_.isNull())
        throw Error("Not enough memory for a text layer of " + std::to_string(width) + "x" +
                    std::to_string(height));
    image_.fill(Qt::transparent);
}

void TextLayer::clear() {
    const QRect bounds = image_.rect();
    for (const QRect& area : drawn_) {
        const QRect r = area.intersected(bounds);
        if (r.isEmpty()) continue;
        const std::size_t bytes = static_cast<std::size_t>(r.width()) * 4;
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memset(image_.scanLine(y) + static_cast<std::size_t>(r.left()) * 4, 0, bytes);
    }
    drawn_.clear();
}

void TextLayer::clearAll() {
    image_.fill(Qt::transparent);
    drawn_.clear();
}

void TextLayer::markDrawn(const QRect& area) {
    const QRect r = area.intersected(image_.rect());
    if (!r.isEmpty()) drawn_.push_back(r);
}

}  // namespace dorvane::compose
