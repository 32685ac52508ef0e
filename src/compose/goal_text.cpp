// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/goal_text.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <limits>

#include "compose/line_breaking.h"
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

// Everything one goal line needs to be placed and drawn.
struct LineContext {
    QPainter& painter;
    TextLayer& layer;
    const QFontMetrics& metrics;
    int margin;  // generous bound of ink outside the character cell
    QColor color;
    QColor shadow;
    bool shaded;
};

// Draws T with its character cell's top-left at (x, y), with its shadow when
// shaded; lines wholly outside the layer are only counted, not drawn.
void DrawLine(const LineContext& c, const QString& text, int width, std::int64_t x,
              std::int64_t y) {
    const std::int64_t m = c.margin;
    if (x + width + m < 0 || x - m >= c.layer.width() || y + c.metrics.height() + m < 0 ||
        y - m >= c.layer.height())
        return;
    const int ix = static_cast<int>(x);
    const int iy = static_cast<int>(y);
    const int baseline = iy + c.metrics.ascent();
    if (c.shaded) {
        c.painter.setPen(c.shadow);
        c.painter.drawText(QPoint(ix + 1, baseline + 1), text);
    }
    c.painter.setPen(c.color);
    c.painter.drawText(QPoint(ix, baseline), text);
    c.layer.markDrawn(QRect(ix - c.margin, iy - c.margin, width + 2 * c.margin + 1,
                            c.metrics.height() + 2 * c.margin + 1));
}

}  // namespace

QFont GoalFont(const TGoalsProject& board, int dpi) {
    QFont font;
    if (!board.FontName.empty()) font.setFamily(QString::fromStdString(board.FontName));
    font.setPixelSize(std::max(1, EmHeight(DrawnFontSize(board.FontSize), dpi)));
    font.setBold(board.FontStyle == 1 || board.FontStyle == 3);
    font.setItalic(board.FontStyle == 2 || board.FontStyle == 3);
    font.setStyleStrategy(
        QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return font;
}

int DrawGoalText(QPainter& painter, TextLayer& layer, const TGoalsProject& board, int dpi) {
    const QFont font = GoalFont(board, dpi);
    painter.setFont(font);
    painter.setBrush(Qt::NoBrush);
    const QFontMetrics fm(font);
    const int em = EmHeight(DrawnFontSize(board.FontSize), dpi);
    const LineContext c{painter,
                        layer,
                        fm,
                        em + 2,
                        ToQColor(static_cast<std::uint32_t>(board.FontColor)),
                        board.FontShading == 2 ? QColor(255, 255, 255) : QColor(0, 0, 0),
                        board.FontShading == 1 || board.FontShading == 2};
    const QString bullet = board.FontBullets ? QStringLiteral(u"\u2022 ") : QString();
    const int bulletWidth = bullet.isEmpty() ? 0 : fm.horizontalAdvance(bullet);
    const std::int64_t available = std::int64_t{board.TextWidth} - bulletWidth;
    const MeasureText measure = [&fm](const QString& text, int start, int length) {
        return fm.horizontalAdvance(QString::fromRawData(text.constData() + start, length));
    };
    const EstimateChar estimate = [&fm](QChar ch) { return fm.horizontalAdvance(ch); };

    std::int64_t y = board.TextPosY;
    for (int i = 1; i <= kGoalCount; ++i) {
        const QString goal =
            TrimGoal(QString::fromStdString(board.Goal[static_cast<std::size_t>(i)]));
        if (goal.isEmpty()) continue;
        const std::vector<QString> lines =
            BreakGoalLines(goal, ClampToInt(available), measure, estimate);
        for (std::size_t j = 0; j < lines.size(); ++j) {
            const QString text = j == 0 ? bullet + lines[j] : lines[j];
            const bool visible = y + fm.height() + c.margin >= 0 && y - c.margin < layer.height();
            if (visible) {
                const int width = fm.horizontalAdvance(text);
                std::int64_t x = board.TextPosX;
                if (board.FontAlign == 1)
                    x += (std::int64_t{board.TextWidth} - width) / 2;  // truncates toward zero
                else if (board.FontAlign == 2)
                    x += std::int64_t{board.TextWidth} - width;
                else if (j > 0)
                    x += bulletWidth;  // continuation lines hang under the text
                DrawLine(c, text, width, x, y);
            }
            y += LineStep(em);
        }
        y += GoalGap(em);
    }
    return ClampToInt(y - board.TextPosY - InterfaceFontAdjust(dpi));
}

TextRenderState RenderTextLayer(TextLayer& layer, const TGoalsProject& board, int dpi,
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
