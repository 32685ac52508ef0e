// SPDX-License-Identifier: GPL-3.0-or-later
// How elements change the text style, and the sizes of images and form controls.
#include <algorithm>
#include <cmath>

#include "htmlview/layout_engine.h"

namespace dorvane::htmlview::detail {
namespace {

int HeadingSize(Tag t) {
    switch (t) {
        case Tag::H1:
            return 6;
        case Tag::H2:
            return 5;
        case Tag::H3:
            return 4;
        case Tag::H4:
            return 3;
        case Tag::H5:
            return 2;
        default:
            return 1;
    }
}

void ApplyFont(const Node& n, TextStyle& s) {
    const QString size = n.attr("size").trimmed();
    if (!size.isEmpty()) {
        bool ok = false;
        // "+1" and "-1" are relative to the base size 3, as browsers read them; the
        // step is clamped first, so "+2147483647" is the largest size, not an overflow.
        const int v = std::clamp(size.toInt(&ok), -7, 7);
        if (ok) s.size = std::clamp(size[0] == u'+' || size[0] == u'-' ? 3 + v : v, 1, 7);
    }
    QRgb c;
    if (ParseColor(n.attr("color"), &c)) s.color = c;
    const QString face = n.attr("face");
    if (!face.isEmpty()) s.face = face.section(u',', 0, 0).trimmed();
}

}  // namespace

bool SkippedTag(Tag t) {
    return t == Tag::Head || t == Tag::Title || t == Tag::Script || t == Tag::Style ||
           t == Tag::Meta;
}

bool IsListTag(Tag t) {
    return t == Tag::Ul || t == Tag::Ol;
}

TextStyle Engine::styleFor(int node, const TextStyle& parent) const {
    TextStyle s = parent;
    const Node& n = doc_[node];
    switch (n.tag) {
        case Tag::B:
        case Tag::Strong:
        case Tag::Th:
            s.bold = true;
            break;
        case Tag::I:
        case Tag::Em:
            s.italic = true;
            break;
        case Tag::U:
            s.underline = true;
            break;
        case Tag::Big:
            s.size = std::min(7, s.size + 1);
            break;
        case Tag::Small:
            s.size = std::max(1, s.size - 1);
            break;
        case Tag::Pre:
            s.pre = true;
            break;
        case Tag::Font:
            ApplyFont(n, s);
            break;
        case Tag::H1:
        case Tag::H2:
        case Tag::H3:
        case Tag::H4:
        case Tag::H5:
        case Tag::H6:
            s.bold = true;
            s.size = HeadingSize(n.tag);
            break;
        case Tag::A:
            if (n.hasAttr("href")) {
                s.color = s.linkColor;
                s.underline = true;
            }
            break;
        default:
            break;
    }
    return s;
}

int Engine::fontFor(const TextStyle& s) {
    const TextStyle& l = lastStyle_;
    if (lastFont_ >= 0 && s.size == l.size && s.bold == l.bold && s.italic == l.italic &&
        s.underline == l.underline && s.pre == l.pre && s.face == l.face)
        return lastFont_;
    FontKey key;
    key.family = !s.face.isEmpty() ? s.face
                 : s.pre           ? options_.defPreFontName
                                   : options_.defFontName;
    key.pixelSize = PointsToPixels(HtmlFontPoints(s.size, options_.defFontSize));
    key.bold = s.bold;
    key.italic = s.italic;
    key.underline = s.underline;
    lastStyle_ = s;
    lastFont_ = fonts_.get(key);
    return lastFont_;
}

float Engine::emOf(const TextStyle& s) {
    return float(fonts_[fontFor(s)].key.pixelSize);
}

Align Engine::alignFor(int node, Align inherited) const {
    const Node& n = doc_[node];
    if (n.tag == Tag::Center) return Align::Center;
    const QString a = n.attr("align").trimmed().toLower();
    if (a == QLatin1String("center") || a == QLatin1String("middle")) return Align::Center;
    if (a == QLatin1String("right")) return Align::Right;
    if (a == QLatin1String("left") || a == QLatin1String("justify")) return Align::Left;
    if (n.tag == Tag::Th) return Align::Center;
    return inherited;
}

QSizeF Engine::imageSize(int node, float available) const {
    const Node& n = doc_[node];
    QSize natural;
    if (n.object >= 0 && options_.imageSize) natural = options_.imageSize(n.object);
    if (!natural.isValid()) natural = QSize(0, 0);
    // A missing dimension keeps the picture's own, so a 1 x 1 spacer with height 10
    // stays 1 pixel wide.
    auto dimension = [&](const char* name, int own) {
        int v = 0;
        if (!ParseLength(n.attr(name), &v)) return own;
        if (v < 0) return available > 0 ? int(std::lround(available * float(-v) / 100.f)) : own;
        return v;
    };
    const int w = std::clamp(dimension("width", natural.width()), 0, 16384);
    const int h = std::clamp(dimension("height", natural.height()), 0, 16384);
    return QSizeF(w, h);
}

QSizeF Engine::controlSize(int node, const TextStyle& s) {
    const Node& n = doc_[node];
    if (n.object < 0 || !options_.controlSize) return QSizeF(0, 0);
    const QSizeF size = options_.controlSize(n.object, fonts_[fontFor(s)].font);
    return QSizeF(std::clamp(size.width(), 0.0, 16384.0), std::clamp(size.height(), 0.0, 16384.0));
}

}  // namespace dorvane::htmlview::detail
