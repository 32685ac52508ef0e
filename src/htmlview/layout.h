// SPDX-License-Identifier: GPL-3.0-or-later
// Lays a parsed document out at a width: the result is a flat list of positioned
// fragments (text runs, images, form controls, fills, frames, list markers, anchors)
// in document coordinates, in painting order. Text positions number the characters
// of all text runs in order; selection works on them.
#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "htmlview/dom.h"
#include "htmlview/fonts.h"

namespace dorvane::htmlview {

struct Fragment {
    enum class Kind : std::uint8_t {
        Text,
        Image,
        Control,
        Fill,
        Frame,
        Rule,
        Disc,
        Number,
        Anchor
    };
    Kind kind = Kind::Text;
    bool underline = false;
    QRectF rect;         // document coordinates
    float baseline = 0;  // text and numbers
    int font = -1;
    QRgb color = 0;
    int index = -1;   // image or control index; anchor name index; frame width
    int link = -1;    // index into LayoutResult::links
    int textPos = 0;  // text: the position of its first character
    QString text;
};

struct LayoutOptions {
    QString defFontName = QStringLiteral("Arial");
    QString defPreFontName = QStringLiteral("Courier New");
    double defFontSize = 10;
    int marginWidth = 4;
    int marginHeight = 2;
    // The decoded size of image object i (invalid when it has no picture).
    std::function<QSize(int image)> imageSize;
    // The size of form control i when drawn in a font.
    std::function<QSizeF(int control, const QFont& font)> controlSize;
};

struct LayoutResult {
    float width = 0;
    float height = 0;
    std::vector<Fragment> fragments;
    std::vector<QString> links;  // href as written
    std::vector<QString> anchorNames;
    QHash<QString, float> anchors;  // name -> top (first occurrence wins)
    QRgb background = 0;            // body bgcolor, valid when hasBackground
    bool hasBackground = false;
    int textLength = 0;
    std::shared_ptr<FontCache> fonts;
};

// Gives every img and text/checkbox input its object index (document order; the body
// background, when it names an image, is image 0). Returns the image sources and sets
// controls to the inputs' node indices. Inputs after the first kMaxFormControls get no
// control (and take no room): every one is a real widget, and a hostile page could
// otherwise ask for millions.
inline constexpr std::size_t kMaxFormControls = 1000;
std::vector<QString> NumberObjects(Document& doc, int* backgroundImage, std::vector<int>* controls);

LayoutResult LayoutDocument(const Document& doc, int width, const LayoutOptions& options,
                            std::shared_ptr<FontCache> fonts = nullptr);

// The text position nearest to a document point (for selection), or -1 when the point
// is on no text and `nearest` is false.
int TextPositionAt(const LayoutResult& layout, QPointF p, bool nearest);
// The characters between two text positions, lines separated by '\n'.
QString TextBetween(const LayoutResult& layout, int from, int to);

// Parses a colour as pages write it: #RRGGBB, RRGGBB, #RGB or a common name.
bool ParseColor(const QString& text, QRgb* out);
// Parses "120" or "50%"; percentages come back negative (-50). False when neither.
bool ParseLength(const QString& text, int* out);

}  // namespace dorvane::htmlview
