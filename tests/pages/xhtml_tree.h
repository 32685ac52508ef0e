// SPDX-License-Identifier: GPL-3.0-or-later
// A strict reader for the page texts as XML: every element must be closed in order,
// attribute values quoted, entities known. The HTML view is tolerant of sloppy
// markup; this reader is not, so it catches texts that only render by luck.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dorvane::test {

struct XNode {
    std::string name;  // element name in lower case; empty for a text node
    std::map<std::string, std::string> attrs;
    std::string text;  // text nodes: the text with entities as written
    std::vector<std::unique_ptr<XNode>> children;
    XNode* parent = nullptr;

    bool IsText() const { return name.empty(); }
    std::string Attr(const std::string& key) const;
    bool Has(const std::string& key) const { return attrs.count(key) != 0; }
    // Every element below this one (not itself) in document order, optionally by name.
    std::vector<const XNode*> All(std::string_view element = {}) const;
    // The text of this node and all below it, entities as written, blanks collapsed.
    std::string InnerText() const;
    // Whether an ancestor has this element name.
    bool Inside(std::string_view element) const;
};

struct XDocument {
    std::string doctype;  // the <!DOCTYPE ...> line as written
    std::unique_ptr<XNode> root;
    std::vector<std::string> entities;  // every &name; or &#n; as written
};

// Parses a page text; throws dorvane::base::Error with the line number on any fault.
XDocument ParseXhtml(std::string_view text);

}  // namespace dorvane::test
