// SPDX-License-Identifier: GPL-3.0-or-later
#include "htmlview/dom.h"

#include <QHash>

namespace dorvane::htmlview {

Tag TagFromName(const QString& n) {
    static const QHash<QString, Tag> table = {
        {"a", Tag::A},           {"b", Tag::B},
        {"big", Tag::Big},       {"blockquote", Tag::Blockquote},
        {"body", Tag::Body},     {"br", Tag::Br},
        {"center", Tag::Center}, {"div", Tag::Div},
        {"em", Tag::Em},         {"font", Tag::Font},
        {"form", Tag::Form},     {"h1", Tag::H1},
        {"h2", Tag::H2},         {"h3", Tag::H3},
        {"h4", Tag::H4},         {"h5", Tag::H5},
        {"h6", Tag::H6},         {"head", Tag::Head},
        {"hr", Tag::Hr},         {"html", Tag::Html},
        {"i", Tag::I},           {"img", Tag::Img},
        {"input", Tag::Input},   {"li", Tag::Li},
        {"meta", Tag::Meta},     {"ol", Tag::Ol},
        {"p", Tag::P},           {"pre", Tag::Pre},
        {"script", Tag::Script}, {"small", Tag::Small},
        {"span", Tag::Span},     {"strong", Tag::Strong},
        {"style", Tag::Style},   {"table", Tag::Table},
        {"tbody", Tag::Tbody},   {"td", Tag::Td},
        {"tfoot", Tag::Tfoot},   {"th", Tag::Th},
        {"thead", Tag::Thead},   {"title", Tag::Title},
        {"tr", Tag::Tr},         {"u", Tag::U},
        {"ul", Tag::Ul},
    };
    return table.value(n, Tag::Unknown);
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

QString Node::attr(const char* name) const {
    for (const Attribute& a : attrs)
        if (a.name == QLatin1String(name)) return a.value.isNull() ? QString("") : a.value;
    return {};
}

bool Node::hasAttr(const char* name) const {
    return !attr(name).isNull();
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
