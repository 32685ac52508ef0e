// SPDX-License-Identifier: GPL-3.0-or-later
// Paints a laid-out document with QPainter: background colour and picture, fills,
// text, images, frames, rules and list markers, and the selected text highlighted.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <functional>

#include "htmlview/layout.h"

namespace dorvane::htmlview {

struct PaintOptions {
    QColor background = Qt::white;
    const QImage* backgroundImage = nullptr;        // drawn once at the document's top left
    std::function<const QImage*(int image)> image;  // null or a null image: nothing drawn
    int selectionFrom = -1;                         // text positions, from < to
    int selectionTo = -1;
    QColor highlight = QColor(51, 153, 255);
    QColor highlightedText = Qt::white;
};

// Paints the document rectangle `clip` (document coordinates); the painter's
// coordinate system must already map document coordinates to the device.
void PaintLayout(QPainter& p, const LayoutResult& layout, const PaintOptions& options,
                 const QRectF& clip);

}  // namespace dorvane::htmlview
