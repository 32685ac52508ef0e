// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/goal_text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <limits>

#include "compose/line_breaking.h"
#include "compose/shading.h"
#include "compose/text_metrics.h"

namespace dorvane::compose {
namespace {

QColor ToQColor(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

int ClampToInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// One line as it is placed: the text and its character cell's top-left.
struct PlacedLine {
    QString text;
    int width = 0;
    int x = 0;
    int y = 0;
};

// Draws the placed lines with the board's colour and shading, and records in
// the layer every area that the drawing may touch.
class LineDrawer {
public:
    LineDrawer(QPainter& painter, TextLayer& layer, const QFont& font, const GoalBoard& board,
               int dpi)
        : painter_(painter),
          layer_(layer),
          font_(font),
          metrics_(font),
          em_(EmHeight(DrawnFontSize(board.FontSize), dpi)),
          dpi_(dpi),
          color_(ToQColor(static_cast<std::uint32_t>(board.FontColor))),
          shading_(ShadingOf(board.FontShading)),
          margin_(em_ + 2 + (shading_.kind == ShadingKind::Outline ? OutlineRadius(dpi) : 0)) {}

    void draw(const std::vector<PlacedLine>& lines) {
        if (lines.empty()) return;
        if (shading_.kind == ShadingKind::Band) drawBand(lines);
        for (const PlacedLine& line : lines) drawLine(line);
    }

private:
    QColor shadingColor() const {
        QColor c = ToQColor(shading_.color);
        c.setAlpha(shading_.opacity);
        return c;
    }

    // One rectangle behind every line's character cell, so that lines of any
    // length and the gaps between goals sit on one even band.
    void drawBand(const std::vector<PlacedLine>& lines) {
        QRect cells;
        for (const PlacedLine& l : lines)
            cells = cells.united(QRect(l.x, l.y, std::max(1, l.width), metrics_.height()));
        const int m = BandMargin(em_, dpi_);
        const QRect band = cells.adjusted(-m, -m, m, m);
        painter_.fillRect(band, shadingColor());
        layer_.markDrawn(band);
    }

    void drawLine(const PlacedLine& l) {
        const int baseline = l.y + metrics_.ascent();
        if (shading_.kind == ShadingKind::Shadow) {
            painter_.setPen(shadingColor());
            painter_.drawText(QPoint(l.x + 1, baseline + 1), l.text);
        } else if (shading_.kind == ShadingKind::Outline) {
            QPainterPath path;
            path.addText(QPointF(l.x, baseline), font_, l.text);
            const QPen halo(shadingColor(), 2.0 * OutlineRadius(dpi_), Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin);
            painter_.setRenderHint(QPainter::Antialiasing, true);
            painter_.strokePath(path, halo);
            painter_.fillPath(path, shadingColor());  // no hole where the text's edge is soft
        }
        painter_.setPen(color_);
        painter_.drawText(QPoint(l.x, baseline), l.text);
        layer_.markDrawn(QRect(l.x - margin_, l.y - margin_, l.width + 2 * margin_ + 1,
                               metrics_.height() + 2 * margin_ + 1));
    }

    QPainter& painter_;
    TextLayer& layer_;
    const QFont& font_;
    QFontMetrics metrics_;
    int em_;
    int dpi_;
    QColor color_;
    Shading shading_;
    int margin_;  // generous bound of ink outside the character cell
};

}  // namespace

QFont GoalFont(const GoalBoard& board, int dpi) {
    QFont font;
    if (!board.FontName.empty()) font.setFamily(QString::fromStdString(board.FontName));
    font.setPixelSize(std::max(1, EmHeight(DrawnFontSize(board.FontSize), dpi)));
    font.setBold(board.FontStyle == 1 || board.FontStyle == 3);
    font.setItalic(board.FontStyle == 2 || board.FontStyle == 3);
    font.setStyleStrategy(
        QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return font;
}

int DrawGoalText(QPainter& painter, TextLayer& layer, const GoalBoard& board, int dpi) {
    const QFont font = GoalFont(board, dpi);
    painter.setFont(font);
    painter.setBrush(Qt::NoBrush);
    const QFontMetrics fm(font);
    const int em = EmHeight(DrawnFontSize(board.FontSize), dpi);
    // Generous bound of ink (and of a band or halo) outside the character cell.
    const int reach = em + 2 + std::max(OutlineRadius(dpi), BandMargin(em, dpi));
    const QString bullet = board.FontBullets ? QStringLiteral(u"\u2022 ") : QString();
    const int bulletWidth = bullet.isEmpty() ? 0 : fm.horizontalAdvance(bullet);
    const std::int64_t available = std::int64_t{board.TextWidth} - bulletWidth;
    const MeasureText measure = [&fm](const QString& text, int start, int length) {
        return fm.horizontalAdvance(QString::fromRawData(text.constData() + start, length));
    };
    const EstimateChar estimate = [&fm](QChar ch) { return fm.horizontalAdvance(ch); };

    std::vector<PlacedLine> placed;  // the lines that reach the layer
    std::int64_t y = board.TextPosY;
    for (int i = 1; i <= kGoalCount; ++i) {
        const QString goal =
            TrimGoal(QString::fromStdString(board.Goal[static_cast<std::size_t>(i)]));
        if (goal.isEmpty()) continue;
        const std::vector<QString> lines =
            BreakGoalLines(goal, ClampToInt(available), measure, estimate);
        for (std::size_t j = 0; j < lines.size(); ++j) {
            const QString text = j == 0 ? bullet + lines[j] : lines[j];
            if (y + fm.height() + reach >= 0 && y - reach < layer.height()) {
                const int width = fm.horizontalAdvance(text);
                std::int64_t x = board.TextPosX;
                if (board.FontAlign == 1)
                    x += (std::int64_t{board.TextWidth} - width) / 2;  // truncates toward zero
                else if (board.FontAlign == 2)
                    x += std::int64_t{board.TextWidth} - width;
                else if (j > 0)
                    x += bulletWidth;  // continuation lines hang under the text
                if (x + width + reach >= 0 && x - reach < layer.width())
                    placed.push_back({text, width, static_cast<int>(x), static_cast<int>(y)});
            }
            y += LineStep(em);
        }
        y += GoalGap(em);
    }
    LineDrawer(painter, layer, font, board, dpi).draw(placed);
    return ClampToInt(y - board.TextPosY - InterfaceFontAdjust(dpi));
}

TextRenderState RenderTextLayer(TextLayer& layer, const GoalBoard& board, int dpi,
                                int previewWidth) {
    layer.clear();
    int textHeight = 0;
    {
        QPainter painter(&layer.canvas());
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        textHeight = DrawGoalText(painter, layer, board, dpi);
    }
    return UpdateTextFrame(board, textHeight, previewWidth, layer.width());
}

}  // namespace dorvane::compose
