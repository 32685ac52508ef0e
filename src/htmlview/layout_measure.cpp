// SPDX-License-Identifier: GPL-3.0-or-later
// The narrowest width content can take (its widest word or picture) and the width it
// takes unbroken; tables size their columns from these. Results are kept per node, so
// nested tables are measured once each.
#include <algorithm>
#include <numeric>

#include "htmlview/layout_engine.h"

namespace dorvane::htmlview::detail {

struct MeasureLine {
    MinMax m;
    float line = 0;
    float glued = 0;  // the word so far, across style changes
    bool space = false;
    int spaceFont = -1;

    void add(float w, bool breakBefore, FontCache& fonts) {
        if (space && line > 0 && breakBefore) line += fonts[spaceFont].space;
        space = false;
        line += w;
        glued = w;
        m.min = std::max(m.min, w);
        m.max = std::max(m.max, line);
    }
    void endLine() {
        m.max = std::max(m.max, line);
        line = 0;
        glued = 0;
        space = false;
    }
    void block(MinMax b) {
        endLine();
        m.min = std::max(m.min, b.min);
        m.max = std::max(m.max, b.max);
    }
};

MinMax Engine::measureChildren(int node, const TextStyle& s) {
    if (auto it = measured_.find(node); it != measured_.end()) return it->second;
    MeasureLine m;
    for (int c = doc_[node].firstChild; c >= 0; c = doc_[c].next) {
        if (doc_[c].isText())
            measureText(doc_[c].text, s, m);
        else
            measureNode(c, s, m);
    }
    m.endLine();
    measured_[node] = m.m;
    return m.m;
}

void Engine::measureText(const QString& t, const TextStyle& s, MeasureLine& m) {
    const int font = fontFor(s);
    const qsizetype n = t.size();
    qsizetype i = 0;
    if (s.pre) {
        for (const QString& line : t.split(u'\n')) {
            if (i++ > 0) m.endLine();
            m.add(fonts_.width(font, line.left(200)), false, fonts_);
        }
        return;
    }
    while (i < n) {
        if (IsCollapsible(t[i])) {
            m.space = true;
            m.spaceFont = font;
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && !IsCollapsible(t[end]) && end - i < 200) ++end;
        const float w = fonts_.width(font, QStringView(t).mid(i, end - i));
        // A word glued to the one before (no space between) cannot break from it.
        if (!m.space && m.glued > 0) {
            m.line += w;
            m.glued += w;
            m.m.min = std::max(m.m.min, m.glued);
            m.m.max = std::max(m.m.max, m.line);
        } else {
            m.add(w, true, fonts_);
        }
        i = end;
    }
}

void Engine::measureNode(int node, const TextStyle& parent, MeasureLine& m) {
    const Node& n = doc_[node];
    if (SkippedTag(n.tag)) return;
    const TextStyle s = styleFor(node, parent);
    switch (n.tag) {
        case Tag::Br:
            return m.endLine();
        case Tag::Img:
            return m.add(float(imageSize(node, 0).width()) +
                             2.f * float(std::clamp(n.attr("border").toInt(), 0, 50)),
                         true, fonts_);
        case Tag::Input:
            return m.add(float(controlSize(node, s).width()), true, fonts_);
        case Tag::Table:
            return m.block(measureTable(node, s));
        case Tag::Ul:
        case Tag::Ol:
        case Tag::Blockquote: {
            MinMax b = measureChildren(node, s);
            const float indent = n.tag == Tag::Blockquote ? 80.f : 40.f;
            return m.block({b.min + indent, b.max + indent});
        }
        default:
            if (IsBlock(n.tag)) return m.block(measureChildren(node, s));
            for (int c = n.firstChild; c >= 0; c = doc_[c].next) {
                if (doc_[c].isText())
                    measureText(doc_[c].text, s, m);
                else
                    measureNode(c, s, m);
            }
    }
}

MinMax Engine::measureTable(int node, const TextStyle& s) {
    if (auto it = measured_.find(node); it != measured_.end()) return it->second;
    const TableInfo t = tableInfo(node, s);
    const float oh = float(t.overhead());
    MinMax r{std::accumulate(t.colMin.begin(), t.colMin.end(), oh), 0};
    for (std::size_t c = 0; c < t.colMax.size(); ++c)
        r.max += t.colFixed[c] > 0 ? std::max(t.colMin[c], float(t.colFixed[c])) : t.colMax[c];
    r.max += oh;
    int w = 0;
    if (ParseLength(doc_[node].attr("width"), &w) && w > 0)
        r.min = r.max = std::max(r.min, float(w));
    r.max = std::max(r.max, r.min);
    measured_[node] = r;
    return r;
}

}  // namespace dorvane::htmlview::detail
