// SPDX-License-Identifier: GPL-3.0-or-later
// Inline content: words and boxes gathered into lines, broken greedily at spaces,
// aligned and turned into fragments.
#include <algorithm>
#include <cmath>

#include "htmlview/layout_engine.h"

namespace dorvane::htmlview::detail {
namespace {

// Longer words are cut so that one enormous "word" cannot cost unbounded work.
constexpr qsizetype kMaxWord = 200;

bool SameRun(const LineItem& last, int font, QRgb color, int link, float at) {
    return last.kind == LineItem::Kind::Run && last.font == font && last.color == color &&
           last.link == link && std::abs(last.x + last.width - at) < 0.001f;
}

LineItem MakeRun(const FontCache& fonts, const Piece& p, float x, QString text) {
    LineItem item;
    item.kind = LineItem::Kind::Run;
    item.x = x;
    item.width = p.width;
    item.font = p.font;
    item.ascent = float(fonts[p.font].ascent);
    item.descent = float(fonts[p.font].descent);
    item.color = p.color;
    item.underline = p.underline;
    item.link = p.link;
    item.text = std::move(text);
    return item;
}

}  // namespace

void Engine::text(const QString& t, Flow& f, const TextStyle& s) {
    if (s.pre) return preText(t, f, s);
    const int font = fontFor(s);
    const qsizetype n = t.size();
    qsizetype i = 0;
    while (i < n) {
        if (IsCollapsible(t[i])) {
            f.pendingSpace = true;
            f.spaceFont = font;
            f.spaceStyle = s;
            while (i < n && IsCollapsible(t[i])) ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && !IsCollapsible(t[end]) && end - i < kMaxWord) ++end;
        word(QStringView(t).mid(i, end - i), f, font, s, true);
        if (end - i == kMaxWord) commitWord(f);  // a cut word may break at the cut
        i = end;
    }
}

void Engine::preText(const QString& t, Flow& f, const TextStyle& s) {
    const int font = fontFor(s);
    const QStringList lines = t.split(u'\n');
    for (qsizetype l = 0; l < lines.size(); ++l) {
        if (l > 0) lineBreak(f, s);
        QString line = lines[l];
        line.replace(u'\t', QLatin1String("    "));
        line.remove(u'\r');
        for (qsizetype i = 0; i < line.size(); i += kMaxWord) {
            word(QStringView(line).mid(i, kMaxWord), f, font, s, false);
            commitWord(f);
        }
    }
}

void Engine::word(QStringView w, Flow& f, int font, const TextStyle& s, bool wrap) {
    // A space before this piece ends the word gathered so far.
    const bool spaceBefore = f.pendingSpace;
    if (spaceBefore) commitWord(f);
    if (f.word.empty()) {
        f.wordSpace = spaceBefore;
        f.wordSpaceFont = f.spaceFont;
        f.wordSpaceStyle = f.spaceStyle;
        f.wordWraps = wrap;
    }
    f.pendingSpace = false;
    const float width = fonts_.width(font, w);
    f.word.push_back({w, font, s.color, s.link, s.underline, width});
    f.wordWidth += width;
}

void Engine::commitWord(Flow& f) {
    if (f.word.empty()) return;
    const float width = f.wordWidth;
    f.wordWidth = 0;
    const bool content = f.hasContent();
    float space = f.wordSpace && content ? fonts_[f.wordSpaceFont].space : 0.f;
    if (f.wordWraps && content && f.lineWidth + space + width > f.width) {
        flushItems(f);
        space = 0;
    }
    placeSpace(f, space, f.wordSpaceFont, f.wordSpaceStyle);
    for (const Piece& p : f.word) {
        if (!f.items.empty() && SameRun(f.items.back(), p.font, p.color, p.link, f.lineWidth)) {
            f.items.back().text += p.text;
            f.items.back().width += p.width;
        } else {
            f.items.push_back(MakeRun(fonts_, p, f.lineWidth, p.text.toString()));
        }
        f.lineWidth += p.width;
    }
    f.word.clear();
}

// A space takes the style of the text it stood in, so that an underline or a link
// never reaches over the space after its last word.
void Engine::placeSpace(Flow& f, float space, int font, const TextStyle& s) {
    if (space <= 0) return;
    if (!f.items.empty() && SameRun(f.items.back(), font, s.color, s.link, f.lineWidth)) {
        f.items.back().text += u' ';
        f.items.back().width += space;
    } else {
        const Piece p{{}, font, s.color, s.link, s.underline, space};
        f.items.push_back(MakeRun(fonts_, p, f.lineWidth, QStringLiteral(" ")));
    }
    f.lineWidth += space;
}

void Engine::box(Flow& f, LineItem item) {
    const bool spaceBefore = f.pendingSpace;
    commitWord(f);
    const bool content = f.hasContent();
    float space = spaceBefore && content ? fonts_[f.spaceFont].space : 0.f;
    if (content && f.lineWidth + space + item.width > f.width) {
        flushItems(f);
        space = 0;
    }
    placeSpace(f, space, f.spaceFont, f.spaceStyle);
    f.pendingSpace = false;
    item.x = f.lineWidth;
    f.lineWidth += item.width;
    f.items.push_back(std::move(item));
}

void Engine::lineBreak(Flow& f, const TextStyle& s) {
    commitWord(f);
    if (!f.hasContent()) {
        // An empty line still has the height of its text.
        const int font = fontFor(s);
        LineItem strut;
        strut.kind = LineItem::Kind::Run;
        strut.x = f.lineWidth;
        strut.font = font;
        strut.ascent = float(fonts_[font].ascent);
        strut.descent = float(fonts_[font].descent);
        f.items.push_back(std::move(strut));
    }
    flushLine(f);
}

void Engine::flushLine(Flow& f) {
    commitWord(f);
    flushItems(f);
}

void Engine::flushItems(Flow& f) {
    if (f.items.empty()) return;
    float ascent = 0, descent = 0;
    for (const LineItem& i : f.items) {
        if (i.kind == LineItem::Kind::Anchor) continue;
        ascent = std::max(ascent, i.ascent);
        descent = std::max(descent, i.descent);
    }
    const bool content = f.hasContent();
    const float top = f.y + (content ? f.pendingMargin : 0.f);
    emitLine(f, top, ascent);
    if (content) {
        f.y = top + ascent + descent;
        f.pendingMargin = 0;
    }
    f.items.clear();
    f.lineWidth = 0;
}

void Engine::emitLine(Flow& f, float top, float ascent) {
    float x0 = f.x;
    const float free = std::max(0.f, f.width - f.lineWidth);
    if (f.align == Align::Center) x0 += std::floor(free / 2);
    if (f.align == Align::Right) x0 += free;
    const float baseline = top + ascent;
    if (f.hasContent()) emitMarker(f, baseline);
    for (LineItem& i : f.items) {
        Fragment fr;
        fr.link = i.link;
        fr.color = i.color;
        if (i.kind == LineItem::Kind::Anchor) {
            fr.kind = Fragment::Kind::Anchor;
            fr.index = i.object;
            fr.rect = QRectF(x0 + i.x, top, 0, 0);
        } else if (i.kind == LineItem::Kind::Run) {
            if (i.text.isEmpty()) continue;
            const FontEntry& fe = fonts_[i.font];
            fr.kind = Fragment::Kind::Text;
            fr.font = i.font;
            fr.underline = i.underline;
            fr.rect = QRectF(x0 + i.x, baseline - float(fe.ascent), i.width,
                             float(fe.ascent + fe.descent));
            fr.baseline = baseline;
            fr.textPos = out_.textLength;
            out_.textLength += int(i.text.size());
            fr.text = std::move(i.text);
        } else {
            fr.kind = i.boxKind;
            fr.index = i.object;
            const float b = float(i.border);
            fr.rect = QRectF(std::round(x0 + i.x + b), baseline - i.ascent + b, i.width - 2 * b,
                             i.ascent + i.descent - 2 * b);
            if (i.border > 0) {
                out_.fragments.push_back(fr);
                fr.kind = Fragment::Kind::Frame;
                fr.index = i.border;
                fr.rect = fr.rect.adjusted(-b, -b, b, b);
            }
        }
        out_.fragments.push_back(std::move(fr));
    }
}

void Engine::emitMarker(Flow& f, float baseline) {
    if (!f.marker || !f.marker->pending) return;
    Marker& m = *f.marker;
    m.pending = false;
    const FontEntry& fe = fonts_[m.font];
    Fragment fr;
    fr.color = m.color;
    fr.font = m.font;
    fr.baseline = baseline;
    if (m.disc) {
        const float d = std::max(4.f, std::round(fe.xHeight * 0.6f));
        fr.kind = Fragment::Kind::Disc;
        fr.rect = QRectF(m.x - 14 - d / 2, std::round(baseline - fe.xHeight / 2 - d / 2), d, d);
    } else {
        fr.kind = Fragment::Kind::Number;
        fr.text = m.label;
        const float w = fonts_.width(m.font, m.label);
        fr.rect =
            QRectF(m.x - 6 - w, baseline - float(fe.ascent), w, float(fe.ascent + fe.descent));
    }
    out_.fragments.push_back(std::move(fr));
}

}  // namespace dorvane::htmlview::detail
