// SPDX-License-Identifier: GPL-3.0-or-later
#include "htmlview/parser.h"

#include "htmlview/charset.h"
#include "htmlview/entities.h"

namespace dorvane::htmlview {
namespace {

bool IsSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}
bool IsNameStart(QChar c) {
    return c.isLetter();
}

// Closes p before these, as browsers do.
bool ClosesParagraph(Tag t) {
    switch (t) {
        case Tag::P:
        case Tag::Div:
        case Tag::Table:
        case Tag::Ul:
        case Tag::Ol:
        case Tag::Blockquote:
        case Tag::Center:
        case Tag::H1:
        case Tag::H2:
        case Tag::H3:
        case Tag::H4:
        case Tag::H5:
        case Tag::H6:
        case Tag::Hr:
        case Tag::Pre:
        case Tag::Form:
        case Tag::Li:
            return true;
        default:
            return false;
    }
}

constexpr int kMaxAttributes = 64;  // per tag; the rest are read and dropped

bool InHead(Tag t) {
    return t == Tag::Meta || t == Tag::Title || t == Tag::Style || t == Tag::Script;
}

class TreeBuilder {
public:
    TreeBuilder(Document& doc, const ParseLimits& limits) : doc_(doc), limits_(limits) {
        stack_.push_back(0);
    }

    void text(const QString& s) {
        if (s.isEmpty()) return;
        const int top = stack_.back();
        if (doc_[top].tag == Tag::Head) {
            if (s.trimmed().isEmpty()) return;
            stack_.pop_back();
            return text(s);
        }
        const int last = doc_[top].lastChild;
        if (last >= 0 && doc_[last].isText()) {
            doc_[last].text += s;
            return;
        }
        Node n;
        n.text = s;
        doc_.append(top, std::move(n));
    }

    void startTag(Node n) {
        const Tag t = n.tag;
        if (t == Tag::Unknown) return;
        if (t == Tag::Html && (elements_ > 0)) return;
        if (t == Tag::Body && hasBody_) return;
        if (doc_[stack_.back()].tag == Tag::Head && !InHead(t)) stack_.pop_back();
        if (!implicitClose(t)) return;
        if (elements_ >= limits_.maxNodes) return;
        const bool isVoid = IsVoid(t);
        if (!isVoid && static_cast<int>(stack_.size()) > limits_.maxDepth) return;
        const int index = doc_.append(stack_.back(), std::move(n));
        ++elements_;
        if (t == Tag::Body) hasBody_ = true;
        if (!isVoid) stack_.push_back(index);
    }

    void endTag(Tag t) {
        if (t == Tag::Unknown || IsVoid(t) || t == Tag::Body || t == Tag::Html) return;
        const int at = findOpen(t, boundaryFor(t));
        if (at > 0) stack_.resize(static_cast<std::size_t>(at));
    }

private:
    enum Boundary { kNone, kTable, kCell };

    static Boundary boundaryFor(Tag t) {
        switch (t) {
            case Tag::Table:
                return kNone;
            case Tag::Tr:
            case Tag::Td:
            case Tag::Th:
            case Tag::Tbody:
            case Tag::Thead:
            case Tag::Tfoot:
                return kTable;
            default:
                return kCell;
        }
    }

    // The stack position of the innermost open t within the boundary, or -1.
    int findOpen(Tag t, Boundary b) const {
        for (int i = static_cast<int>(stack_.size()) - 1; i > 0; --i) {
            const Tag open = doc_[stack_[static_cast<std::size_t>(i)]].tag;
            if (open == t) return i;
            if (b != kNone && open == Tag::Table) return -1;
            if (b == kCell && (open == Tag::Td || open == Tag::Th)) return -1;
        }
        return -1;
    }

    // The innermost li of the innermost list, or -1.
    int openListItem() const {
        for (int i = static_cast<int>(stack_.size()) - 1; i > 0; --i) {
            const Tag open = doc_[stack_[static_cast<std::size_t>(i)]].tag;
            if (open == Tag::Li) return i;
            if (open == Tag::Ul || open == Tag::Ol || open == Tag::Table || open == Tag::Td ||
                open == Tag::Th)
                return -1;
        }
        return -1;
    }

    void closeTo(int at) {
        if (at > 0) stack_.resize(static_cast<std::size_t>(at));
    }

    // Closes what the new tag implies; false when the tag is out of place and ignored.
    bool implicitClose(Tag t) {
        if (ClosesParagraph(t)) closeTo(findOpen(Tag::P, kCell));
        if (t == Tag::Li) closeTo(openListItem());
        if (t == Tag::Td || t == Tag::Th || t == Tag::Tr) {
            const int table = findOpen(Tag::Table, kNone);
            if (table < 0) return false;
            const int cell = std::max(findOpen(Tag::Td, kTable), findOpen(Tag::Th, kTable));
            if (cell > 0) closeTo(cell);
            if (t == Tag::Tr) {
                closeTo(findOpen(Tag::Tr, kTable));
            } else if (findOpen(Tag::Tr, kTable) < 0) {
                Node row;
                row.tag = Tag::Tr;
                startTag(std::move(row));
            }
        }
        if (t == Tag::Tbody || t == Tag::Thead || t == Tag::Tfoot) {
            if (findOpen(Tag::Table, kNone) < 0) return false;
            closeTo(std::max({findOpen(Tag::Tbody, kTable), findOpen(Tag::Thead, kTable),
                              findOpen(Tag::Tfoot, kTable)}));
        }
        return true;
    }

    Document& doc_;
    const ParseLimits& limits_;
    std::vector<int> stack_;
    int elements_ = 0;
    bool hasBody_ = false;
};

class Tokenizer {
public:
    Tokenizer(const QString& s, TreeBuilder& out) : s_(s), n_(s.size()), out_(out) {}

    void run() {
        while (i_ < n_) {
            const qsizetype lt = s_.indexOf(u'<', i_);
            const qsizetype end = lt < 0 ? n_ : lt;
            if (end > i_) out_.text(ResolveEntities(s_.mid(i_, end - i_)));
            i_ = end;
            if (i_ < n_) markup();
        }
    }

private:
    void markup() {
        const QChar c1 = at(i_ + 1);
        if (c1 == u'!' && at(i_ + 2) == u'-' && at(i_ + 3) == u'-') {
            const qsizetype e = s_.indexOf(QLatin1String("-->"), i_ + 4);
            i_ = e < 0 ? n_ : e + 3;
        } else if (c1 == u'!' || c1 == u'?') {
            skipPast(u'>');
        } else if (c1 == u'/' && IsNameStart(at(i_ + 2))) {
            i_ += 2;
            const Tag t = TagFromName(name());
            skipPast(u'>');
            out_.endTag(t);
        } else if (IsNameStart(c1)) {
            ++i_;
            startTag();
        } else {
            out_.text(QStringLiteral("<"));
            ++i_;
        }
    }

    void startTag() {
        const Tag t = TagFromName(name());
        Node element;
        element.tag = t;
        int count = 0;
        while (i_ < n_) {
            while (i_ < n_ && (IsSpace(s_[i_]) || s_[i_] == u'/')) ++i_;
            if (i_ >= n_ || s_[i_] == u'>') break;
            const QStringView attrName = name();
            if (attrName.isEmpty()) ++i_;  // a stray quote or '=': skip it
            skipSpaces();
            QStringView attrValue;
            if (at(i_) == u'=') {
                ++i_;
                skipSpaces();
                attrValue = value();
            }
            if (attrName.isEmpty() || count == kMaxAttributes) continue;
            ++count;
            if (attrValue.contains(u'&'))
                PackAttribute(packed_, attrName, ResolveEntities(attrValue.toString()));
            else
                PackAttribute(packed_, attrName, attrValue);
        }
        ++i_;
        // Packed in a buffer that keeps its room, then copied once at its exact size.
        if (!packed_.isEmpty()) element.attributes = QString(packed_.constData(), packed_.size());
        packed_.resize(0);
        out_.startTag(std::move(element));
        if (t == Tag::Script || t == Tag::Style)
            skipRawText(t == Tag::Script ? "</script" : "</style");
    }

    QStringView name() {
        const qsizetype start = i_;
        while (i_ < n_ && !IsSpace(s_[i_]) && s_[i_] != u'>' && s_[i_] != u'/' && s_[i_] != u'=' &&
               s_[i_] != u'"' && s_[i_] != u'\'' && s_[i_] != u'<')
            ++i_;
        return QStringView(s_).mid(start, i_ - start);
    }

    QStringView value() {
        const QChar q = at(i_);
        if (q == u'"' || q == u'\'') {
            const qsizetype close = s_.indexOf(q, i_ + 1);
            // An unterminated quote ends at the tag's end rather than eating the page.
            // Only then is '>' looked for: searching for it at every value would read
            // the rest of a long tag once per attribute.
            const qsizetype gt = close < 0 ? s_.indexOf(u'>', i_ + 1) : -1;
            const qsizetype end = close < 0 ? (gt < 0 ? n_ : gt) : close;
            const QStringView v = QStringView(s_).mid(i_ + 1, end - i_ - 1);
            i_ = close < 0 ? end : end + 1;
            return v;
        }
        const qsizetype start = i_;
        while (i_ < n_ && !IsSpace(s_[i_]) && s_[i_] != u'>') ++i_;
        return QStringView(s_).mid(start, i_ - start);
    }

    void skipRawText(const char* endTag) {
        const qsizetype e = s_.indexOf(QLatin1String(endTag), i_, Qt::CaseInsensitive);
        if (e < 0) {
            i_ = n_;
            return;
        }
        i_ = e;
    }

    void skipSpaces() {
        while (i_ < n_ && IsSpace(s_[i_])) ++i_;
    }
    void skipPast(QChar c) {
        const qsizetype e = s_.indexOf(c, i_);
        i_ = e < 0 ? n_ : e + 1;
    }
    QChar at(qsizetype k) const { return k < n_ ? s_[k] : QChar(); }

    const QString& s_;
    const qsizetype n_;
    TreeBuilder& out_;
    qsizetype i_ = 0;
    QString packed_;  // the attributes of the tag being read
};

}  // namespace

Document ParseHtml(const QString& text, const ParseLimits& limits) {
    Document doc;
    // Most nodes start at a '<': room for them at once, rather than moving them all
    // each time the array grows.
    doc.nodes.reserve(
        static_cast<std::size_t>(std::min<qsizetype>(text.count(u'<'), limits.maxNodes) + 1));
    TreeBuilder builder(doc, limits);
    Tokenizer(text, builder).run();
    return doc;
}

Document ParseHtmlBytes(const QByteArray& bytes, int charSetSetting, const ParseLimits& limits) {
    return ParseHtml(DecodePage(bytes, charSetSetting), limits);
}

}  // namespace dorvane::htmlview
