// SPDX-License-Identifier: GPL-3.0-or-later
// Block flow: the walk over the document, blocks with collapsing margins, lists,
// images, form controls and anchors.
#include <algorithm>
#include <cmath>

#include "htmlview/layout_engine.h"

namespace dorvane::htmlview::detail {
namespace {

QString RomanNumber(int n) {
    static const std::pair<int, const char*> kDigits[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
    QString out;
    for (const auto& [value, digits] : kDigits)
        while (n >= value) {
            out += QLatin1String(digits);
            n -= value;
        }
    return out;
}

QString ListLabel(const QString& type, int n) {
    if (n > 0 && n < 4000 && (type == QLatin1String("i") || type == QLatin1String("I"))) {
        const QString r = RomanNumber(n);
        return (type == QLatin1String("I") ? r.toUpper() : r) + u'.';
    }
    if (n > 0 && n <= 26 && (type == QLatin1String("a") || type == QLatin1String("A")))
        return QChar((type == QLatin1String("A") ? u'A' : u'a') + (n - 1)) + QString(u'.');
    return QString::number(n) + u'.';
}

bool ParseInt(const QString& s, int* out) {
    bool ok = false;
    const int v = s.trimmed().toInt(&ok);
    if (ok) *out = v;
    return ok;
}

}  // namespace

bool Flow::hasContent() const {
    return std::any_of(items.begin(), items.end(),
                       [](const LineItem& i) { return i.kind != LineItem::Kind::Anchor; });
}

void Engine::run(int width) {
    const int body = doc_.body();
    const Node& b = doc_[body];
    TextStyle s;
    ParseColor(b.attr("text"), &s.color);
    ParseColor(b.attr("link"), &s.linkColor);
    out_.hasBackground = ParseColor(b.attr("bgcolor"), &out_.background);
    Flow f;
    f.x = float(options_.marginWidth);
    f.width = float(std::max(0, width - 2 * options_.marginWidth));
    f.y = float(options_.marginHeight);
    children(body, f, s);
    flushLine(f);
    out_.width = float(width);
    out_.height = f.y + float(options_.marginHeight);
    for (const Fragment& fr : out_.fragments)
        if (fr.kind == Fragment::Kind::Anchor) {
            const QString& name = out_.anchorNames[static_cast<std::size_t>(fr.index)];
            if (!out_.anchors.contains(name)) out_.anchors.insert(name, float(fr.rect.top()));
        }
}

void Engine::children(int node, Flow& f, const TextStyle& s) {
    for (int c = doc_[node].firstChild; c >= 0; c = doc_[c].next) {
        if (doc_[c].isText())
            text(doc_[c].text, f, s);
        else
            element(c, f, s);
    }
}

void Engine::element(int node, Flow& f, const TextStyle& parent) {
    const Node& n = doc_[node];
    if (SkippedTag(n.tag)) return;
    TextStyle s = styleFor(node, parent);
    switch (n.tag) {
        case Tag::Br:
            return lineBreak(f, s);
        case Tag::Img:
            return image(node, f, s);
        case Tag::Input:
            return input(node, f, s);
        case Tag::Hr:
            return rule(node, f, s);
        case Tag::Table:
            return table(node, f, s);
        case Tag::Ul:
        case Tag::Ol:
            return list(node, f, s);
        case Tag::Li:
            return listItem(node, f, s, Marker{true, true, {}, f.x, fontFor(s), s.color});
        case Tag::P:
        case Tag::Blockquote:
        case Tag::Pre:
        case Tag::H1:
        case Tag::H2:
        case Tag::H3:
        case Tag::H4:
        case Tag::H5:
        case Tag::H6:
            return block(node, f, s, std::round(emOf(s) * (n.tag == Tag::H1 ? 0.67f : 1.f)));
        case Tag::Div:
        case Tag::Center:
        case Tag::Form:
        case Tag::Body:
        case Tag::Html:
        case Tag::Tr:
        case Tag::Td:
        case Tag::Th:
        case Tag::Tbody:
        case Tag::Thead:
        case Tag::Tfoot:
            return block(node, f, s, 0);
        case Tag::A: {
            if (n.hasAttr("href")) s.link = linkFor(node);
            const QString name = n.hasAttr("name") ? n.attr("name") : n.attr("id");
            if (!name.isEmpty()) anchor(f, name);
            return children(node, f, s);
        }
        default:
            return children(node, f, s);
    }
}

int Engine::linkFor(int node) {
    out_.links.push_back(doc_[node].attr("href"));
    return static_cast<int>(out_.links.size()) - 1;
}

void Engine::block(int node, Flow& f, const TextStyle& s, float margin) {
    flushLine(f);
    f.pendingMargin = std::max(f.pendingMargin, margin);
    Flow c = f.child();
    c.align = alignFor(node, f.align);
    if (doc_[node].tag == Tag::Blockquote) {
        c.x += 40;
        c.width = std::max(0.f, c.width - 80);
    }
    children(node, c, s);
    flushLine(c);
    f.y = c.y;
    f.pendingMargin = std::max(c.pendingMargin, margin);
}

void Engine::list(int node, Flow& f, const TextStyle& s) {
    bool nested = false;
    for (int p = doc_[node].parent; p >= 0 && !nested; p = doc_[p].parent)
        nested = IsListTag(doc_[p].tag);
    const float margin = nested ? 0.f : std::round(emOf(s));
    flushLine(f);
    f.pendingMargin = std::max(f.pendingMargin, margin);
    Flow c = f.child();
    c.x += 40;
    c.width = std::max(0.f, c.width - 40);
    const Node& n = doc_[node];
    const bool ordered = n.tag == Tag::Ol;
    const QString type = n.attr("type").trimmed();
    int number = 1;
    ParseInt(n.attr("start"), &number);
    // Nine digits at most: counting on over the items (fewer than the node limit)
    // can then never overflow.
    number = std::clamp(number, -999'999'999, 999'999'999);
    for (int ch = n.firstChild; ch >= 0; ch = doc_[ch].next) {
        if (doc_[ch].tag != Tag::Li) {
            if (doc_[ch].isText())
                text(doc_[ch].text, c, s);
            else
                element(ch, c, s);
            continue;
        }
        const TextStyle ls = styleFor(ch, s);
        Marker m{true, !ordered,    ordered ? ListLabel(type, number++) : QString(),
                 c.x,  fontFor(ls), ls.color};
        listItem(ch, c, ls, m);
    }
    flushLine(c);
    f.y = c.y;
    f.pendingMargin = std::max(c.pendingMargin, margin);
}

void Engine::listItem(int node, Flow& f, const TextStyle& s, Marker marker) {
    flushLine(f);
    Flow c = f.child();
    c.marker = &marker;
    c.align = alignFor(node, f.align);
    children(node, c, s);
    flushLine(c);
    f.y = c.y;
    f.pendingMargin = c.pendingMargin;
}

void Engine::rule(int node, Flow& f, const TextStyle&) {
    flushLine(f);
    int w = -100;
    ParseLength(doc_[node].attr("width"), &w);
    const float width = w < 0 ? f.width * float(-w) / 100.f : std::min(float(w), f.width);
    float x = f.x;
    const Align a = alignFor(node, Align::Center);
    if (a == Align::Center) x += (f.width - width) / 2;
    if (a == Align::Right) x += f.width - width;
    f.y += std::max(f.pendingMargin, 7.f);
    Fragment fr;
    fr.kind = Fragment::Kind::Rule;
    fr.rect = QRectF(std::round(x), f.y, std::round(width), 2);
    out_.fragments.push_back(std::move(fr));
    f.y += 2;
    f.pendingMargin = 7;
}

void Engine::image(int node, Flow& f, const TextStyle& s) {
    const QSizeF size = imageSize(node, f.width);
    int border = 0;
    ParseInt(doc_[node].attr("border"), &border);
    border = std::clamp(border, 0, 50);
    LineItem item;
    item.kind = LineItem::Kind::Box;
    item.boxKind = Fragment::Kind::Image;
    item.object = doc_[node].object;
    item.link = s.link;
    item.color = s.color;
    item.border = border;
    item.width = float(size.width()) + 2.f * float(border);
    const float h = float(size.height()) + 2.f * float(border);
    const QString a = doc_[node].attr("align").trimmed().toLower();
    if (a == QLatin1String("center") || a == QLatin1String("middle") ||
        a == QLatin1String("absmiddle")) {
        const float xh = fonts_[fontFor(s)].xHeight;
        item.ascent = std::round(h / 2 + xh / 2);
        item.descent = h - item.ascent;
    } else {
        item.ascent = h;
    }
    box(f, std::move(item));
}

void Engine::input(int node, Flow& f, const TextStyle& s) {
    if (doc_[node].object < 0) return;
    const QSizeF size = controlSize(node, s);
    LineItem item;
    item.kind = LineItem::Kind::Box;
    item.boxKind = Fragment::Kind::Control;
    item.object = doc_[node].object;
    item.width = float(size.width());
    // The control's bottom sits on the bottom of the text beside it.
    item.descent = std::min(float(fonts_[fontFor(s)].descent), float(size.height()));
    item.ascent = float(size.height()) - item.descent;
    box(f, std::move(item));
}

void Engine::anchor(Flow& f, const QString& name) {
    commitWord(f);
    LineItem item;
    item.kind = LineItem::Kind::Anchor;
    item.x = f.lineWidth;
    out_.anchorNames.push_back(name);
    item.object = static_cast<int>(out_.anchorNames.size()) - 1;
    f.items.push_back(std::move(item));
}

int Engine::reserve(Fragment::Kind kind) {
    Fragment fr;
    fr.kind = kind;
    out_.fragments.push_back(std::move(fr));
    return static_cast<int>(out_.fragments.size()) - 1;
}

void Engine::shift(std::size_t from, float dy) {
    if (dy == 0) return;
    for (std::size_t i = from; i < out_.fragments.size(); ++i) {
        out_.fragments[i].rect.translate(0, dy);
        out_.fragments[i].baseline += dy;
    }
}

}  // namespace dorvane::htmlview::detail
