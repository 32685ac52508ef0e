// SPDX-License-Identifier: GPL-3.0-or-later
// The parsed document: a flat array of nodes linked as a tree (no recursion needed
// to free it, however deep the markup nests).
#pragma once

#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace dorvane::htmlview {

enum class Tag : std::uint8_t {
    Text,  // a text node
    Unknown,
    Root,
    A,
    B,
    Big,
    Blockquote,
    Body,
    Br,
    Center,
    Div,
    Em,
    Font,
    Form,
    H1,
    H2,
    H3,
    H4,
    H5,
    H6,
    Head,
    Hr,
    Html,
    I,
    Img,
    Input,
    Li,
    Meta,
    Ol,
    P,
    Pre,
    Script,
    Small,
    Span,
    Strong,
    Style,
    Table,
    Tbody,
    Td,
    Tfoot,
    Th,
    Thead,
    Title,
    Tr,
    U,
    Ul,
};

Tag TagFromName(QStringView name);  // any letter case
bool IsVoid(Tag t);
bool IsBlock(Tag t);  // starts its own block in the flow

struct Node {
    Tag tag = Tag::Text;
    int parent = -1;
    int firstChild = -1;
    int lastChild = -1;
    int next = -1;
    QString text;  // text nodes: the decoded characters, entities resolved
    // Elements: their attributes packed into one string, one allocation a node however
    // many they have (a hostile page has millions). Each is its name's length, the
    // lower-case name, its value's length in two characters, and the value.
    QString attributes;
    int object = -1;  // img: image object index; input: form control index

    bool isText() const { return tag == Tag::Text; }
    // The first attribute of that (lower-case) name: its value, "" when it has none,
    // or a null QString when absent.
    QString attr(const char* name) const;
    bool hasAttr(const char* name) const;
};

// Appends an attribute in the packed form of Node::attributes; a name longer than
// kMaxAttributeName is dropped.
inline constexpr qsizetype kMaxAttributeName = 255;
void PackAttribute(QString& packed, QStringView name, QStringView value);

struct Document {
    std::vector<Node> nodes;  // nodes[0] is the root
    Document() { nodes.emplace_back().tag = Tag::Root; }
    const Node& operator[](int i) const { return nodes[static_cast<std::size_t>(i)]; }
    Node& operator[](int i) { return nodes[static_cast<std::size_t>(i)]; }
    int append(int parent, Node node);
    // The <body> node, or the root when the document has none.
    int body() const;
    // Every node of a tag, in document order.
    std::vector<int> all(Tag tag) const;
};

}  // namespace dorvane::htmlview
