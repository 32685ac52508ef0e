// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/readability.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "compose/overlay.h"

namespace dorvane::compose {
namespace {

constexpr int kCoreTolerance = 8;  // levels, in every channel
constexpr int kNearest = 1;        // the surround starts beyond this distance…
constexpr int kFarthest = 3;       // …and ends at this one

// sRGB level to linear light, as WCAG 2 defines it.
const std::array<double, 256>& LinearLevels() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            t[static_cast<std::size_t>(i)] =
                c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return t;
    }();
    return table;
}

double Luminance(int r, int g, int b) {
    const auto& lin = LinearLevels();
    return 0.2126 * lin[static_cast<std::size_t>(r)] + 0.7152 * lin[static_cast<std::size_t>(g)] +
           0.0722 * lin[static_cast<std::size_t>(b)];
}

// out[i] := whether any in[j] with |i − j| ≤ r is set, along n elements `step` apart.
void DilateLine(const std::uint8_t* in, std::uint8_t* out, int n, std::ptrdiff_t step, int r) {
    int count = 0;
    for (int j = 0; j < std::min(r, n); ++j) count += in[j * step];
    for (int i = 0; i < n; ++i) {
        if (i + r < n) count += in[(i + r) * step];
        if (i - r - 1 >= 0) count -= in[(i - r - 1) * step];
        out[i * step] = count > 0 ? 1 : 0;
    }
}

// The pixels within Chebyshev distance r of a set one: rows, then columns.
std::vector<std::uint8_t> Dilate(const std::vector<std::uint8_t>& mask, int w, int h, int r) {
    std::vector<std::uint8_t> across(mask.size()), result(mask.size());
    for (int y = 0; y < h; ++y) {
        const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
        DilateLine(mask.data() + at, across.data() + at, w, 1, r);
    }
    for (int x = 0; x < w; ++x) DilateLine(across.data() + x, result.data() + x, h, w, r);
    return result;
}

struct Window {
    QRect rect;  // in picture pixels
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y - rect.top()) * static_cast<std::size_t>(rect.width()) +
               static_cast<std::size_t>(x - rect.left());
    }
};

// Marks the glyph cores inside `search`; returns how many there are.
std::int64_t FindCores(const Bitmap& composed, const Bitmap& plain, std::uint32_t text,
                       const QRect& search, const Window& window, std::vector<std::uint8_t>& core) {
    const int tr = static_cast<int>(text & 0xFF), tg = static_cast<int>((text >> 8) & 0xFF),
              tb = static_cast<int>((text >> 16) & 0xFF);
    std::int64_t cores = 0;
    for (int y = search.top(); y <= search.bottom(); ++y) {
        const std::uint8_t* c = composed.row(y);
        const std::uint8_t* p = plain.row(y);
        for (int x = search.left(); x <= search.right(); ++x) {
            const std::uint8_t* a = c + 3 * x;
            const std::uint8_t* b = p + 3 * x;
            if (a[0] == b[0] && a[1] == b[1] && a[2] == b[2]) continue;
            if (std::abs(a[0] - tr) > kCoreTolerance || std::abs(a[1] - tg) > kCoreTolerance ||
                std::abs(a[2] - tb) > kCoreTolerance)
                continue;
            core[window.index(x, y)] = 1;
            ++cores;
        }
    }
    return cores;
}

}  // namespace

double RelativeLuminance(std::uint32_t color) {
    return Luminance(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                     static_cast<int>((color >> 16) & 0xFF));
}

double ContrastRatio(std::uint32_t a, std::uint32_t b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Readability MeasureReadability(const Bitmap& composed, const Bitmap& plain, Color textColor,
                               const QRect& area) {
    if (composed.width() != plain.width() || composed.height() != plain.height()) return {};
    const QRect picture(0, 0, composed.width(), composed.height());
    const QRect search = area.intersected(picture);
    if (search.isEmpty()) return {};
    const Window window{
        search.adjusted(-kFarthest, -kFarthest, kFarthest, kFarthest).intersected(picture)};
    const int w = window.rect.width(), h = window.rect.height();
    std::vector<std::uint8_t> core(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    const auto text = static_cast<std::uint32_t>(textColor) & 0xFFFFFF;
    Readability result;
    result.cores = FindCores(composed, plain, text, search, window, core);
    if (result.cores == 0) return result;

    const std::vector<std::uint8_t> near = Dilate(core, w, h, kNearest);
    const std::vector<std::uint8_t> reach = Dilate(core, w, h, kFarthest);
    const double textLuminance = RelativeLuminance(text);
    std::vector<float> ratios;
    for (int y = window.rect.top(); y <= window.rect.bottom(); ++y) {
        const std::uint8_t* row = composed.row(y);
        for (int x = window.rect.left(); x <= window.rect.right(); ++x) {
            const std::size_t i = window.index(x, y);
            if (!reach[i] || near[i]) continue;
            const std::uint8_t* px = row + 3 * x;
            const double l = Luminance(px[0], px[1], px[2]);
            ratios.push_back(static_cast<float>((std::max(l, textLuminance) + 0.05) /
                                                (std::min(l, textLuminance) + 0.05)));
        }
    }
    result.surround = static_cast<std::int64_t>(ratios.size());
    if (ratios.empty()) return result;  // cores fill the picture: nothing to contrast with
    const std::size_t rank = (ratios.size() + 9) / 10 - 1;
    std::nth_element(ratios.begin(), ratios.begin() + static_cast<std::ptrdiff_t>(rank),
                     ratios.end());
    result.ratio = ratios[rank];
    return result;
}

Readability MeasureReadability(const Bitmap& composed, const Bitmap& plain, Color textColor) {
    return MeasureReadability(composed, plain, textColor,
                              QRect(0, 0, composed.width(), composed.height()));
}

Readability MeasureBoardReadability(const Bitmap& screen, const TextLayer& layer, Color textColor) {
    const QRect drawn = layer.drawnBounds();
    if (drawn.isEmpty() || screen.empty()) return {};
    if (layer.width() != screen.width() || layer.height() != screen.height()) {
        Bitmap composed = screen;
        OverlayTextLayer(composed, layer);
        return MeasureReadability(composed, screen, textColor);
    }
    // The rows the text touches and the surround's reach beyond them.
    const int first = std::max(0, drawn.top() - kFarthest);
    const int last = std::min(screen.height() - 1, drawn.bottom() + kFarthest);
    Bitmap plain(screen.width(), last - first + 1);
    for (int y = first; y <= last; ++y)
        std::copy_n(screen.row(y), screen.stride(), plain.row(y - first));
    Bitmap composed = plain;
    OverlayTextLayerRows(composed, layer, screen.height(), first);
    return MeasureReadability(composed, plain, textColor, drawn.translated(0, -first));
}

std::string FormatRatio(double ratio) {
    // Cut, not rounded; the small allowance keeps 21 from showing as 20.99.
    const double cut = std::floor(ratio * 100 + 1e-6) / 100;
    char text[32];
    std::snprintf(text, sizeof text, "%.2f:1", cut);
    return text;
}

std::string DescribeReadability(const Readability& measure) {
    if (!measure.visible()) return "no goal text can be seen";
    return FormatRatio(measure.ratio) + (measure.readable() ? ", easy to read" : ", hard to read");
}

}  // namespace dorvane::compose
