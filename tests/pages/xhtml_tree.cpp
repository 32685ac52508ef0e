// SPDX-License-Identifier: GPL-3.0-or-later
#include "xhtml_tree.h"

#include <algorithm>
#include <cctype>

#include "base/error.h"

namespace dorvane::test {
namespace {

class Reader {
public:
    explicit Reader(std::string_view s) : s_(s) {}

    XDocument Read() {
        XDocument doc;
        doc.root = std::make_unique<XNode>();
        doc.root->name = "#document";
        XNode* open = doc.root.get();
        while (pos_ < s_.size()) {
            if (Starts("<!--")) {
                Skip("-->");
            } else if (Starts("<!")) {
                size_t end = Find(">");
                doc.doctype = std::string(s_.substr(pos_, end + 1 - pos_));
                pos_ = end + 1;
            } else if (Starts("</")) {
                open = CloseTag(open);
            } else if (Starts("<")) {
                open = OpenTag(open);
            } else {
                ReadText(open, doc.entities);
            }
        }
        if (open != doc.root.get()) Fail("<" + open->name + "> is never closed");
        return doc;
    }

private:
    std::string_view s_;
    size_t pos_ = 0;

    [[noreturn]] void Fail(const std::string& why) const {
        int line = 1 + static_cast<int>(std::count(s_.begin(), s_.begin() + pos_, '\n'));
        throw base::Error("line " + std::to_string(line) + ": " + why);
    }
    bool Starts(std::string_view p) const { return s_.substr(pos_, p.size()) == p; }
    size_t Find(std::string_view p) const {
        size_t at = s_.find(p, pos_);
        if (at == std::string_view::npos) Fail("missing \"" + std::string(p) + "\"");
        return at;
    }
    void Skip(std::string_view end) { pos_ = Find(end) + end.size(); }
    void Blanks() {
        while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) ++pos_;
    }
    std::string Name() {
        size_t start = pos_;
        while (pos_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[pos_])) ||
                                    s_[pos_] == '-' || s_[pos_] == ':'))
            ++pos_;
        if (start == pos_) Fail("a name is missing");
        std::string n(s_.substr(start, pos_ - start));
        for (char& c : n)
            if (std::isupper(static_cast<unsigned char>(c))) Fail("upper case in \"" + n + "\"");
        return n;
    }

    XNode* OpenTag(XNode* open) {
        ++pos_;
        auto node = std::make_unique<XNode>();
        node->name = Name();
        node->parent = open;
        for (;;) {
            Blanks();
            if (Starts("/>") || Starts(">")) break;
            std::string key = Name();
            Blanks();
            if (!Starts("=")) Fail("attribute " + key + " has no value");
            ++pos_;
            Blanks();
            if (!Starts("\"")) Fail("value of " + key + " is not in double quotes");
            size_t end = s_.find('"', pos_ + 1);
            if (end == std::string_view::npos) Fail("unterminated value");
            if (node->attrs.count(key)) Fail("attribute " + key + " given twice");
            node->attrs[key] = std::string(s_.substr(pos_ + 1, end - pos_ - 1));
            pos_ = end + 1;
        }
        bool empty = Starts("/>");
        pos_ += empty ? 2 : 1;
        XNode* raw = node.get();
        open->children.push_back(std::move(node));
        return empty ? open : raw;
    }

    XNode* CloseTag(XNode* open) {
        pos_ += 2;
        std::string n = Name();
        Blanks();
        if (!Starts(">")) Fail("bad end tag </" + n);
        ++pos_;
        if (n != open->name) Fail("</" + n + "> closes <" + open->name + ">");
        return open->parent;
    }

    void ReadText(XNode* open, std::vector<std::string>& entities) {
        size_t end = s_.find('<', pos_);
        if (end == std::string_view::npos) end = s_.size();
        std::string t(s_.substr(pos_, end - pos_));
        for (size_t amp = t.find('&'); amp != std::string::npos; amp = t.find('&', amp + 1)) {
            size_t semi = t.find(';', amp);
            if (semi == std::string::npos || semi - amp > 10) Fail("bare & in text");
            entities.push_back(t.substr(amp, semi + 1 - amp));
        }
        pos_ = end;
        if (t.find('>') != std::string::npos) Fail("bare > in text");
        auto node = std::make_unique<XNode>();
        node->text = std::move(t);
        node->parent = open;
        open->children.push_back(std::move(node));
    }
};

void Collect(const XNode& n, std::string_view element, std::vector<const XNode*>& out) {
    for (const auto& c : n.children) {
        if (!c->IsText() && (element.empty() || c->name == element)) out.push_back(c.get());
        Collect(*c, element, out);
    }
}

void Gather(const XNode& n, std::string& out) {
    if (n.IsText()) out += n.text;
    if (n.name == "br") out += ' ';
    for (const auto& c : n.children) Gather(*c, out);
}

}  // namespace

std::string XNode::Attr(const std::string& key) const {
    auto it = attrs.find(key);
    return it == attrs.end() ? std::string() : it->second;
}

std::vector<const XNode*> XNode::All(std::string_view element) const {
    std::vector<const XNode*> out;
    Collect(*this, element, out);
    return out;
}

std::string XNode::InnerText() const {
    std::string raw;
    Gather(*this, raw);
    std::string out;
    for (char c : raw) {
        bool blank = std::isspace(static_cast<unsigned char>(c));
        if (blank && (out.empty() || out.back() == ' ')) continue;
        out += blank ? ' ' : c;
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

bool XNode::Inside(std::string_view element) const {
    for (const XNode* p = parent; p; p = p->parent)
        if (p->name == element) return true;
    return false;
}

XDocument ParseXhtml(std::string_view text) {
    return Reader(text).Read();
}

}  // namespace dorvane::test
