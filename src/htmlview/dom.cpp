// SPDX-License-Identifier: GPL-3.0-or-later
#include "htmlview/dom.h"

namespace dorvane::htmlview {

Tag TagFromName(QStringView name) {
    // A short list read in place: no string is made for the tags of a page.
    struct Entry {
        QStringView name;
        Tag tag;
    };
    static constexpr Entry table[] = {
        {u"a", Tag::A},           {u"b", Tag::B},
        {u"big", Tag::Big},       {u"blockquote", Tag::Blockquote},
        {u"body", Tag::Body},     {u"br", Tag::Br},
        {u"center", Tag::Center}, {u"div", Tag::Div},
        {u"em", Tag::Em},         {u"font", Tag::Font},
        {u"form", Tag::Form},     {u"h1", Tag::H1},
        {u"h2", Tag::H2},         {u"h3", Tag::H3},
        {u"h4", Tag::H4},         {u"h5", Tag::H5},
        {u"h6", Tag::H6},         {u"head", Tag::Head},
        {u"hr", Tag::Hr},         {u"html", Tag::Html},
        {u"i", Tag::I},           {u"img", Tag::Img},
        {u"input", Tag::Input},   {u"li", Tag::Li},
        {u"meta", Tag::Meta},     {u"ol", Tag::Ol},
        {u"p", Tag::P},           {u"pre", Tag::Pre},
        {u"script", Tag::Script}, {u"small", Tag::Small},
        {u"span", Tag::Span},     {u"strong", Tag::Strong},
        {u"style", Tag::Style},   {u"table", Tag::Table},
        {u"tbody", Tag::Tbody},   {u"td", Tag::Td},
        {u"tfoot", Tag::Tfoot},   {u"th", Tag::Th},
        {u"thead", Tag::Thead},   {u"title", Tag::Title},
        {u"tr", Tag::Tr},         {u"u", Tag::U},
        {u"ul", Tag::Ul},
    };
    for (const auto& [known, tag] : table)
        if (known.size() == name.size() && name.compare(known, Qt::CaseInsensitive) == 0)
            return tag;
    return Tag::Unknown;
}

bool IsVoid(Tag t) {
    return t == Tag::Br || t == Tag::Img || t == Tag::Input || t == Tag::Hr || t == Tag::Meta;
}

bool IsBlock(Tag t) {
    switch (t) {
        case Tag::Blockquote:
        case Tag::Body:
        case Tag::Center:
        case Tag::Div:
        case Tag::Form:
        case Tag::H1:
        case Tag::H2:
        case Tag::H3:
        case Tag::H4:
        case Tag::H5:
        case Tag::H6:
        case Tag::Hr:
        case Tag::Html:
        case Tag::Li:
        case Tag::Ol:
        case Tag::P:
        case Tag::Pre:
        case Tag::Table:
        case Tag::Ul:
        case Tag::Tr:
        case Tag::Td:
        case Tag::Th:
        case Tag::Tbody:
        case Tag::Thead:
        case Tag::Tfoot:
            return true;
        default:
            return false;
    }
}

namespace {

// The next packed attribute from i: its name and value; i moves past it.
std::pair<QStringView, QStringView> NextAttribute(const QString& packed, qsizetype& i) {
    const qsizetype nameLength = packed[i].unicode();
    const QStringView name = QStringView(packed).mid(i + 1, nameLength);
    i += 1 + nameLength;
    const qsizetype valueLength = qsizetype{packed[i].unicode()} << 16 | packed[i + 1].unicode();
    const QStringView value = QStringView(packed).mid(i + 2, valueLength);
    i += 2 + valueLength;
    return {name, value};
}

}  // namespace

QString Node::attr(const char* name) const {
    const QLatin1StringView wanted(name);
    for (qsizetype i = 0; i < attributes.size();) {
        const auto [key, value] = NextAttribute(attributes, i);
        if (key == wanted) return value.isEmpty() ? QString("") : value.toString();
    }
    return {};
}

bool Node::hasAttr(const char* name) const {
    return !attr(name).isNull();
}

void PackAttribute(QString& packed, QStringView name, QStringView value) {
    if (name.size() > kMaxAttributeName) return;
    const auto length = static_cast<std::uint32_t>(value.size());  // < 2^32: pages are capped
    packed += QChar(static_cast<char16_t>(name.size()));
    for (const QChar c : name) packed += c.toLower();
    packed += QChar(static_cast<char16_t>(length >> 16));
    packed += QChar(static_cast<char16_t>(length & 0xFFFF));
    packed += value;
}

int Document::append(int parent, Node node) {
    const int index = static_cast<int>(nodes.size());
    node.parent = parent;
    nodes.push_back(std::move(node));
    Node& p = nodes[static_cast<std::size_t>(parent)];
    if (p.lastChild < 0) {
        p.firstChild = index;
    } else {
        nodes[static_cast<std::size_t>(p.lastChild)].next = index;
    }
    nodes[static_cast<std::size_t>(parent)].lastChild = index;
    return index;
}

int Document::body() const {
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].tag == Tag::Body) return static_cast<int>(i);
    return 0;
}

std::vector<int> Document::all(Tag tag) const {
    std::vector<int> out;
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].tag == tag) out.push_back(static_cast<int>(i));
    return out;
}

}  // namespace dorvane::htmlview
