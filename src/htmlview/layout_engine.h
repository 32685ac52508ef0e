// SPDX-License-Identifier: GPL-3.0-or-later
// Inside the layout: block flows with collapsing margins, lines broken greedily at
// spaces, tables sized from their cells' narrowest and widest content.
#pragma once

#include <unordered_map>

#include "htmlview/layout.h"

namespace dorvane::htmlview::detail {

enum class Align : std::uint8_t { Left, Center, Right };

struct TextStyle {
    int size = 3;  // HTML font size 1..7
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool pre = false;
    QRgb color = 0xFF000000;
    QRgb linkColor = 0xFF0000FF;
    QString face;
    int link = -1;
};

struct Marker {
    bool pending = false;
    bool disc = true;
    QString label;
    float x = 0;  // the content's left edge
    int font = 0;
    QRgb color = 0;
};

struct LineItem {
    enum class Kind : std::uint8_t { Run, Box, Anchor } kind = Kind::Run;
    Fragment::Kind boxKind = Fragment::Kind::Image;
    bool underline = false;
    float x = 0;
    float width = 0;
    float ascent = 0;
    float descent = 0;
    int font = -1;
    QRgb color = 0;
    int link = -1;
    int object = -1;  // box: image or control; anchor: name index
    int border = 0;
    QString text;
};

// A piece of a word: words glued together across style changes ("<u>hour</u>.")
// stay on one line.
// The text is a view into the document's text (or into the caller's string, for
// preformatted text, which places each piece at once).
struct Piece {
    QStringView text;
    int font;
    QRgb color;
    int link;
    bool underline;
    float width;
};

struct Flow {
    float x = 0;
    float width = 0;
    float y = 0;
    float pendingMargin = 0;
    Align align = Align::Left;
    std::vector<LineItem> items;
    float lineWidth = 0;
    bool pendingSpace = false;
    int spaceFont = -1;
    TextStyle spaceStyle;     // of the text the pending space stood in
    std::vector<Piece> word;  // the word being gathered, placed at its end
    float wordWidth = 0;
    bool wordSpace = false;  // a space stood before the word
    int wordSpaceFont = -1;
    TextStyle wordSpaceStyle;
    bool wordWraps = true;
    Marker* marker = nullptr;

    Flow child() const {
        Flow c;
        c.x = x;
        c.width = width;
        c.y = y;
        c.pendingMargin = pendingMargin;
        c.align = align;
        c.marker = marker;
        return c;
    }
    bool hasContent() const;
};

struct MinMax {
    float min = 0;
    float max = 0;
};

struct TableInfo {
    int border = 0;
    int padding = 1;
    int spacing = 2;
    int cols = 0;
    struct Cell {
        int node;
        int col;
        int span;
    };
    std::vector<int> rowNodes;
    std::vector<std::vector<Cell>> rows;
    std::vector<float> colMin, colMax;
    std::vector<int> colFixed, colPct;
    int overhead() const { return spacing * (cols + 1) + 2 * border; }
    int cellBorder() const { return border > 0 ? 1 : 0; }
};

// A laid-out table cell waiting for its row's height.
struct PlacedCell {
    std::size_t first;  // its first fragment
    float height;
    int fill;  // its background fragment, or -1
    QRectF rect;
    int valign;  // 0 top, 1 middle, 2 bottom
};

struct MeasureLine;

class Engine {
public:
    Engine(const Document& doc, const LayoutOptions& options, FontCache& fonts, LayoutResult& out)
        : doc_(doc), options_(options), fonts_(fonts), out_(out) {}
    void run(int width);

    // Styles and fonts (layout_style.cpp).
    TextStyle styleFor(int node, const TextStyle& parent) const;
    int fontFor(const TextStyle& s);
    Align alignFor(int node, Align inherited) const;
    float emOf(const TextStyle& s);
    QSizeF imageSize(int node, float available) const;
    QSizeF controlSize(int node, const TextStyle& s);

private:
    // Flow (layout_flow.cpp).
    void children(int node, Flow& f, const TextStyle& s);
    void element(int node, Flow& f, const TextStyle& s);
    void block(int node, Flow& f, const TextStyle& s, float margin);
    void list(int node, Flow& f, const TextStyle& s);
    void listItem(int node, Flow& f, const TextStyle& s, Marker marker);
    void rule(int node, Flow& f, const TextStyle& s);
    void image(int node, Flow& f, const TextStyle& s);
    void input(int node, Flow& f, const TextStyle& s);
    void anchor(Flow& f, const QString& name);

    // Lines (layout_line.cpp).
    void text(const QString& t, Flow& f, const TextStyle& s);
    void preText(const QString& t, Flow& f, const TextStyle& s);
    void word(QStringView w, Flow& f, int font, const TextStyle& s, bool wrap);
    void box(Flow& f, LineItem item);
    void lineBreak(Flow& f, const TextStyle& s);
    void commitWord(Flow& f);
    void placeSpace(Flow& f, float space, int font, const TextStyle& s);
    void flushLine(Flow& f);
    void flushItems(Flow& f);
    void emitLine(Flow& f, float top, float ascent);
    void emitMarker(Flow& f, float baseline);

    // Tables (layout_table.cpp).
    void table(int node, Flow& f, const TextStyle& s);
    TableInfo tableInfo(int node, const TextStyle& s);
    void measureColumns(TableInfo& t, const TextStyle& s);
    PlacedCell layoutCell(const TableInfo& t, std::size_t r, const TableInfo::Cell& cell,
                          const std::vector<int>& widths, float x0, float top, const TextStyle& s);
    std::vector<int> columnWidths(const TableInfo& t, int inner, float available);
    float tableWidth(int node, const TableInfo& t, float available);
    float layoutRow(const TableInfo& t, std::size_t r, const std::vector<int>& widths, float x0,
                    float top, const TextStyle& s);

    // Narrowest and widest content (layout_measure.cpp).
    MinMax measureChildren(int node, const TextStyle& s);
    void measureNode(int node, const TextStyle& s, MeasureLine& m);
    void measureText(const QString& t, const TextStyle& s, MeasureLine& m);
    MinMax measureTable(int node, const TextStyle& s);

    int reserve(Fragment::Kind kind);
    void shift(std::size_t from, float dy);
    int linkFor(int node);

    const Document& doc_;
    const LayoutOptions& options_;
    FontCache& fonts_;
    LayoutResult& out_;
    std::unordered_map<int, MinMax> measured_;
    TextStyle lastStyle_;  // the last style given a font, which most text repeats
    int lastFont_ = -1;
};

bool SkippedTag(Tag t);
// Spaces that collapse; the no-break space does not.
inline bool IsCollapsible(QChar c) {
    return c == u' ' || c == u'\n' || c == u'\t' || c == u'\r' || c == u'\f';
}
bool IsListTag(Tag t);

}  // namespace dorvane::htmlview::detail
