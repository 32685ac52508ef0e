// SPDX-License-Identifier: GPL-3.0-or-later
// Tables: a grid of rows and cells (colspan honoured), column widths from the cells'
// narrowest and widest content, pixel and percentage widths, then the rows laid out
// with vertical alignment in each cell.
#include <algorithm>
#include <cmath>
#include <numeric>

#include "htmlview/layout_engine.h"

namespace dorvane::htmlview::detail {
namespace {

constexpr int kMaxColumns = 200;

int IntAttr(const Node& n, const char* name, int fallback, int lo, int hi) {
    const QString v = n.attr(name);
    if (v.isNull()) return fallback;
    bool ok = false;
    const int i = v.trimmed().toInt(&ok);
    return ok ? std::clamp(i, lo, hi) : fallback;
}

// Widens the spanned columns by extra: the ones without a width of their own take it,
// or all of them when every one has a width.
void SpreadExtra(const TableInfo& t, std::vector<float>& col, int first, int span, float extra) {
    auto isFree = [&](int c) {
        const auto i = static_cast<std::size_t>(c);
        return t.colFixed[i] == 0 && t.colPct[i] == 0;
    };
    int free = 0;
    for (int c = first; c < first + span; ++c) free += isFree(c);
    for (int c = first; c < first + span; ++c) {
        if (free == 0)
            col[static_cast<std::size_t>(c)] += extra / float(span);
        else if (isFree(c))
            col[static_cast<std::size_t>(c)] += extra / float(free);
    }
}

}  // namespace

TableInfo Engine::tableInfo(int node, const TextStyle& s) {
    const Node& tn = doc_[node];
    TableInfo t;
    // A bare "border" means a border of 1.
    t.border = tn.hasAttr("border") ? IntAttr(tn, "border", 1, 0, 100) : 0;
    t.padding = IntAttr(tn, "cellpadding", 1, 0, 1000);
    t.spacing = IntAttr(tn, "cellspacing", 2, 0, 1000);
    auto addRow = [&](int tr) {
        std::vector<TableInfo::Cell> cells;
        int col = 0;
        for (int c = doc_[tr].firstChild; c >= 0; c = doc_[c].next) {
            if (doc_[c].tag != Tag::Td && doc_[c].tag != Tag::Th) continue;
            if (col >= kMaxColumns) break;
            const int span =
                std::min(IntAttr(doc_[c], "colspan", 1, 1, kMaxColumns), kMaxColumns - col);
            cells.push_back({c, col, span});
            col += span;
        }
        t.cols = std::max(t.cols, col);
        t.rowNodes.push_back(tr);
        t.rows.push_back(std::move(cells));
    };
    for (int c = tn.firstChild; c >= 0; c = doc_[c].next) {
        const Tag tag = doc_[c].tag;
        if (tag == Tag::Tr) addRow(c);
        if (tag == Tag::Tbody || tag == Tag::Thead || tag == Tag::Tfoot)
            for (int r = doc_[c].firstChild; r >= 0; r = doc_[r].next)
                if (doc_[r].tag == Tag::Tr) addRow(r);
    }
    measureColumns(t, s);
    return t;
}

void Engine::measureColumns(TableInfo& t, const TextStyle& s) {
    const auto n = static_cast<std::size_t>(t.cols);
    t.colMin.assign(n, 0);
    t.colMax.assign(n, 0);
    t.colFixed.assign(n, 0);
    t.colPct.assign(n, 0);
    const float extra = float(2 * (t.padding + t.cellBorder()));
    std::vector<std::pair<TableInfo::Cell, MinMax>> spanning;
    for (const auto& row : t.rows)
        for (const TableInfo::Cell& cell : row) {
            MinMax m = measureChildren(cell.node, styleFor(cell.node, s));
            m.min += extra;
            m.max += extra;
            if (cell.span > 1) {
                spanning.emplace_back(cell, m);
                continue;
            }
            const auto c = static_cast<std::size_t>(cell.col);
            int w = 0;
            if (ParseLength(doc_[cell.node].attr("width"), &w)) {
                if (w < 0)
                    t.colPct[c] = std::max(t.colPct[c], std::min(-w, 100));
                else
                    t.colFixed[c] = std::max(t.colFixed[c], std::min(w, 16384));
            }
            t.colMin[c] = std::max(t.colMin[c], m.min);
            t.colMax[c] = std::max(t.colMax[c], m.max);
        }
    for (const auto& [cell, m] : spanning) {
        const auto first = t.colMin.begin() + cell.col;
        const float gaps = float((cell.span - 1) * t.spacing);
        const float min = std::accumulate(first, first + cell.span, gaps);
        const float max = std::accumulate(t.colMax.begin() + cell.col,
                                          t.colMax.begin() + cell.col + cell.span, gaps);
        if (m.min > min) SpreadExtra(t, t.colMin, cell.col, cell.span, m.min - min);
        if (m.max > max) SpreadExtra(t, t.colMax, cell.col, cell.span, m.max - max);
    }
    for (std::size_t c = 0; c < n; ++c) t.colMax[c] = std::max(t.colMax[c], t.colMin[c]);
}

float Engine::tableWidth(int node, const TableInfo& t, float available) {
    const float minSum =
        std::accumulate(t.colMin.begin(), t.colMin.end(), 0.f) + float(t.overhead());
    int w = 0;
    if (ParseLength(doc_[node].attr("width"), &w)) {
        const float want = w < 0 ? available * float(std::min(-w, 100)) / 100.f : float(w);
        return std::max(std::round(want), std::ceil(minSum));
    }
    const float inner = std::max(0.f, available - float(t.overhead()));
    float target = 0;
    bool percent = false;
    for (std::size_t c = 0; c < t.colMax.size(); ++c) {
        percent = percent || t.colPct[c] > 0;
        target += t.colPct[c] > 0 ? std::max(t.colMin[c], inner * float(t.colPct[c]) / 100.f)
                  : t.colFixed[c] ? std::max(t.colMin[c], float(t.colFixed[c]))
                                  : t.colMax[c];
    }
    if (percent) target = std::max(target, inner);
    return std::ceil(std::max(minSum, std::min(available, target + float(t.overhead()))));
}

std::vector<int> Engine::columnWidths(const TableInfo& t, int inner, float) {
    const std::size_t n = t.colMin.size();
    std::vector<float> w(t.colMin), target(n);
    std::vector<bool> constrained(n);
    for (std::size_t c = 0; c < n; ++c) {
        constrained[c] = t.colPct[c] > 0 || t.colFixed[c] > 0;
        target[c] = t.colPct[c] > 0
                        ? std::max(t.colMin[c], float(inner) * float(t.colPct[c]) / 100.f)
                    : t.colFixed[c] ? std::max(t.colMin[c], float(t.colFixed[c]))
                                    : t.colMax[c];
    }
    const float sumTarget = std::accumulate(target.begin(), target.end(), 0.f);
    if (sumTarget <= float(inner)) {
        w = target;
        // Extra room goes to the unconstrained columns, else to all, by their widths.
        std::vector<std::size_t> to;
        for (std::size_t c = 0; c < n; ++c)
            if (!constrained[c]) to.push_back(c);
        if (to.empty())
            for (std::size_t c = 0; c < n; ++c) to.push_back(c);
        float weight = 0;
        for (std::size_t c : to) weight += target[c];
        const float extra = float(inner) - sumTarget;
        for (std::size_t c : to)
            w[c] += weight > 0 ? extra * target[c] / weight : extra / float(to.size());
    } else {
        float need = float(inner) - std::accumulate(w.begin(), w.end(), 0.f);
        for (int pass = 0; pass < 2 && need > 0; ++pass) {
            // Constrained columns reach their widths first, then the others share the rest.
            float gap = 0;
            for (std::size_t c = 0; c < n; ++c)
                if (constrained[c] == (pass == 0)) gap += target[c] - w[c];
            if (gap <= 0) continue;
            const float part = std::min(1.f, need / gap);
            for (std::size_t c = 0; c < n; ++c)
                if (constrained[c] == (pass == 0)) w[c] += (target[c] - w[c]) * part;
            need -= gap * part;
        }
    }
    // Round so that the columns add up to the sum of their rounded edges.
    std::vector<int> out(n);
    float edge = 0;
    for (std::size_t c = 0; c < n; ++c) {
        const float next = edge + w[c];
        out[c] = int(std::lround(next)) - int(std::lround(edge));
        edge = next;
    }
    return out;
}

void Engine::table(int node, Flow& f, const TextStyle& s) {
    flushLine(f);
    const TableInfo t = tableInfo(node, s);
    f.y += f.pendingMargin;
    f.pendingMargin = 0;
    if (t.cols == 0) return;
    const float width = tableWidth(node, t, f.width);
    const std::vector<int> widths =
        columnWidths(t, std::max(0, int(width) - t.overhead()), f.width);
    const Align a = alignFor(node, f.align);
    float x0 = f.x;
    if (a == Align::Center) x0 += std::floor(std::max(0.f, f.width - width) / 2);
    if (a == Align::Right) x0 += std::max(0.f, f.width - width);
    QRgb bg;
    const bool hasBg = ParseColor(doc_[node].attr("bgcolor"), &bg);
    const int fill = hasBg ? reserve(Fragment::Kind::Fill) : -1;
    const float top = f.y;
    float y = top + float(t.border + t.spacing);
    for (std::size_t r = 0; r < t.rows.size(); ++r)
        y = layoutRow(t, r, widths, x0, y, s) + float(t.spacing);
    const float height = y - top + float(t.border);
    const QRectF rect(x0, top, width, height);
    if (fill >= 0) {
        out_.fragments[static_cast<std::size_t>(fill)].rect = rect;
        out_.fragments[static_cast<std::size_t>(fill)].color = bg;
    }
    if (t.border > 0) {
        Fragment fr;
        fr.kind = Fragment::Kind::Frame;
        fr.index = t.border;
        fr.color = qRgb(128, 128, 128);
        fr.rect = rect;
        out_.fragments.push_back(std::move(fr));
    }
    f.y = top + height;
}

PlacedCell Engine::layoutCell(const TableInfo& t, std::size_t r, const TableInfo::Cell& cell,
                              const std::vector<int>& widths, float x0, float top,
                              const TextStyle& s) {
    const Node& td = doc_[cell.node];
    const Node& tr = doc_[t.rowNodes[r]];
    const float inset = float(t.padding + t.cellBorder());
    float x = x0 + float(t.border + t.spacing);
    for (int c = 0; c < cell.col; ++c) x += float(widths[static_cast<std::size_t>(c)] + t.spacing);
    float w = float((cell.span - 1) * t.spacing);
    for (int c = cell.col; c < cell.col + cell.span; ++c)
        w += float(widths[static_cast<std::size_t>(c)]);
    QRgb bg;
    const bool hasBg = ParseColor(td.attr("bgcolor"), &bg) || ParseColor(tr.attr("bgcolor"), &bg);
    const int fill = hasBg ? reserve(Fragment::Kind::Fill) : -1;
    if (fill >= 0) out_.fragments[static_cast<std::size_t>(fill)].color = bg;
    Flow c;
    c.x = x + inset;
    c.width = std::max(0.f, w - 2 * inset);
    c.y = top + inset;
    c.align = alignFor(cell.node, alignFor(t.rowNodes[r], Align::Left));
    const std::size_t first = out_.fragments.size();
    children(cell.node, c, styleFor(cell.node, s));
    flushLine(c);
    const QString va = (td.hasAttr("valign") ? td.attr("valign") : tr.attr("valign")).toLower();
    const int valign = va == QLatin1String("top") ? 0 : va == QLatin1String("bottom") ? 2 : 1;
    // A trailing bottom margin stays inside the cell.
    return {first, c.y - top + inset, fill, QRectF(x, top, w, 0), valign};
}

float Engine::layoutRow(const TableInfo& t, std::size_t r, const std::vector<int>& widths, float x0,
                        float top, const TextStyle& s) {
    std::vector<PlacedCell> placed;
    float rowHeight = 0;
    for (const TableInfo::Cell& cell : t.rows[r]) {
        placed.push_back(layoutCell(t, r, cell, widths, x0, top, s));
        rowHeight = std::max(rowHeight, placed.back().height);
    }
    const std::size_t contentEnd = out_.fragments.size();
    for (std::size_t i = 0; i < placed.size(); ++i) {
        PlacedCell& p = placed[i];
        const float free = rowHeight - p.height;
        const float dy = p.valign == 0 ? 0.f : p.valign == 2 ? free : std::floor(free / 2);
        const std::size_t end = i + 1 < placed.size()
                                    ? placed[i + 1].first - (placed[i + 1].fill >= 0 ? 1 : 0)
                                    : contentEnd;
        for (std::size_t k = p.first; k < end; ++k) {
            out_.fragments[k].rect.translate(0, dy);
            out_.fragments[k].baseline += dy;
        }
        p.rect.setHeight(rowHeight);
        if (p.fill >= 0) out_.fragments[static_cast<std::size_t>(p.fill)].rect = p.rect;
        if (t.border > 0) {
            Fragment fr;
            fr.kind = Fragment::Kind::Frame;
            fr.index = 1;
            fr.color = qRgb(160, 160, 160);
            fr.rect = p.rect;
            out_.fragments.push_back(std::move(fr));
        }
    }
    return top + rowHeight;
}

}  // namespace dorvane::htmlview::detail
