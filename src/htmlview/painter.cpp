// SPDX-License-Identifier: GPL-3.0-or-later
#include "htmlview/painter.h"

#include <algorithm>

namespace dorvane::htmlview {
namespace {

void PaintFrame(QPainter& p, const QRectF& r, int width, QColor color) {
    const double w = std::min<double>(width, std::min(r.width(), r.height()) / 2);
    p.fillRect(QRectF(r.left(), r.top(), r.width(), w), color);
    p.fillRect(QRectF(r.left(), r.bottom() - w, r.width(), w), color);
    p.fillRect(QRectF(r.left(), r.top(), w, r.height()), color);
    p.fillRect(QRectF(r.right() - w, r.top(), w, r.height()), color);
}

void PaintText(QPainter& p, const LayoutResult& layout, const Fragment& f, const PaintOptions& o,
               int& currentFont) {
    if (currentFont != f.font) {
        p.setFont((*layout.fonts)[f.font].font);
        currentFont = f.font;
    }
    p.setPen(QColor::fromRgb(f.color));
    const QPointF origin(f.rect.left(), f.baseline);
    p.drawText(origin, f.text);
    const int end = f.textPos + int(f.text.size());
    if (o.selectionFrom >= end || o.selectionTo <= f.textPos || o.selectionFrom >= o.selectionTo)
        return;
    const QFontMetricsF& fm = (*layout.fonts)[f.font].metrics;
    const int a = std::max(o.selectionFrom, f.textPos) - f.textPos;
    const int b = std::min(o.selectionTo, end) - f.textPos;
    const double x0 = f.rect.left() + fm.horizontalAdvance(f.text.left(a));
    const double x1 = f.rect.left() + fm.horizontalAdvance(f.text.left(b));
    const QRectF band(x0, f.rect.top(), x1 - x0, f.rect.height());
    p.save();
    p.fillRect(band, o.highlight);
    p.setClipRect(band, Qt::IntersectClip);
    p.setPen(o.highlightedText);
    p.drawText(origin, f.text);
    p.restore();
}

}  // namespace

void PaintLayout(QPainter& p, const LayoutResult& layout, const PaintOptions& o,
                 const QRectF& clip) {
    p.fillRect(clip, o.background);
    if (o.backgroundImage && !o.backgroundImage->isNull())
        p.drawImage(QPointF(0, 0), *o.backgroundImage);
    int currentFont = -1;
    for (const Fragment& f : layout.fragments) {
        if (!f.rect.intersects(clip) && f.kind != Fragment::Kind::Text) continue;
        if (f.kind == Fragment::Kind::Text &&
            (f.rect.bottom() < clip.top() || f.rect.top() > clip.bottom()))
            continue;
        switch (f.kind) {
            case Fragment::Kind::Text:
                PaintText(p, layout, f, o, currentFont);
                break;
            case Fragment::Kind::Image:
                if (const QImage* img = o.image ? o.image(f.index) : nullptr;
                    img && !img->isNull()) {
                    p.setRenderHint(
                        QPainter::SmoothPixmapTransform,
                        img->devicePixelRatio() != 1 || img->size() != f.rect.size().toSize());
                    p.drawImage(f.rect, *img);
                }
                break;
            case Fragment::Kind::Fill:
                p.fillRect(f.rect, QColor::fromRgb(f.color));
                break;
            case Fragment::Kind::Frame:
                PaintFrame(p, f.rect, f.index, QColor::fromRgb(f.color));
                break;
            case Fragment::Kind::Rule:
                p.fillRect(QRectF(f.rect.left(), f.rect.top(), f.rect.width(), 1),
                           QColor(160, 160, 160));
                p.fillRect(QRectF(f.rect.left(), f.rect.top() + 1, f.rect.width(), 1),
                           QColor(230, 230, 230));
                break;
            case Fragment::Kind::Disc:
                p.save();
                p.setRenderHint(QPainter::Antialiasing);
                p.setPen(Qt::NoPen);
                p.setBrush(QColor::fromRgb(f.color));
                p.drawEllipse(f.rect);
                p.restore();
                break;
            case Fragment::Kind::Number:
                if (currentFont != f.font) {
                    p.setFont((*layout.fonts)[f.font].font);
                    currentFont = f.font;
                }
                p.setPen(QColor::fromRgb(f.color));
                p.drawText(QPointF(f.rect.left(), f.baseline), f.text);
                break;
            case Fragment::Kind::Control:
            case Fragment::Kind::Anchor:
                break;
        }
    }
}

}  // namespace dorvane::htmlview
