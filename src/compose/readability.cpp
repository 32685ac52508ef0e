// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/readability.h"

#include <algorithm>
#include <array>
#include <bit>
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

// Where a measure looks: pixel (x, y) of the picture is at data + (y − top) ×
// stride + 3 × (x − left).
struct PixelView {
    const std::uint8_t* data;
    std::size_t stride;
    int left = 0;
    int top = 0;
    const std::uint8_t* at(int x, int y) const {
        return data + static_cast<std::size_t>(y - top) * stride +
               3 * static_cast<std::size_t>(x - left);
    }
};

PixelView ViewOf(const imaging::Bitmap& picture) {
    return {picture.data(), picture.stride(), 0, 0};
}

// A mask of one bit a pixel, 64 pixels a word, each row starting a new word.
class BitMask {
public:
    BitMask(int width, int height)
        : words_((static_cast<std::size_t>(width) + 63) / 64),
          bits_(words_ * static_cast<std::size_t>(height)) {}
    std::size_t words() const { return words_; }
    void set(int x, int y) {
        bits_[static_cast<std::size_t>(y) * words_ + static_cast<std::size_t>(x) / 64] |=
            std::uint64_t{1} << (x % 64);
    }
    const std::uint64_t* row(int y) const {
        return bits_.data() + static_cast<std::size_t>(y) * words_;
    }
    std::uint64_t* row(int y) { return bits_.data() + static_cast<std::size_t>(y) * words_; }

private:
    std::size_t words_;
    std::vector<std::uint64_t> bits_;
};

// Each row widened by r pixels to either side (bit i is pixel i of its word).
BitMask WidenRows(const BitMask& mask, int height, int r) {
    BitMask out = mask;
    const std::size_t n = mask.words();
    for (int y = 0; y < height; ++y) {
        const std::uint64_t* in = mask.row(y);
        std::uint64_t* to = out.row(y);
        for (std::size_t j = 0; j < n; ++j)
            for (int k = 1; k <= r; ++k) {
                to[j] |= in[j] << k | in[j] >> k;
                if (j > 0) to[j] |= in[j - 1] >> (64 - k);
                if (j + 1 < n) to[j] |= in[j + 1] << (64 - k);
            }
    }
    return out;
}

// Row y of `rows` widened by r rows up and down: pixels within square distance
// r of a set pixel, when `rows` was widened by r across.
void NearRow(const BitMask& rows, int height, int y, int r, std::vector<std::uint64_t>& out) {
    std::fill(out.begin(), out.end(), 0);
    for (int k = std::max(0, y - r); k <= std::min(height - 1, y + r); ++k) {
        const std::uint64_t* in = rows.row(k);
        for (std::size_t j = 0; j < out.size(); ++j) out[j] |= in[j];
    }
}

// Marks the glyph cores inside `search` in a mask over `window`; returns how many.
std::int64_t FindCores(const PixelView& composed, const PixelView& plain, std::uint32_t text,
                       const QRect& search, const QRect& window, BitMask& core) {
    const int tr = static_cast<int>(text & 0xFF), tg = static_cast<int>((text >> 8) & 0xFF),
              tb = static_cast<int>((text >> 16) & 0xFF);
    std::int64_t cores = 0;
    for (int y = search.top(); y <= search.bottom(); ++y) {
        const std::uint8_t* a = composed.at(search.left(), y);
        const std::uint8_t* b = plain.at(search.left(), y);
        const int maskY = y - window.top(), maskX = search.left() - window.left();
        for (int i = 0; i < search.width(); ++i, a += 3, b += 3) {
            if (a[0] == b[0] && a[1] == b[1] && a[2] == b[2]) continue;
            if (std::abs(a[0] - tr) > kCoreTolerance || std::abs(a[1] - tg) > kCoreTolerance ||
                std::abs(a[2] - tb) > kCoreTolerance)
                continue;
            core.set(maskX + i, maskY);
            ++cores;
        }
    }
    return cores;
}

Readability Measure(const PixelView& composed, const PixelView& plain, const QRect& picture,
                    std::uint32_t text, const QRect& area) {
    const QRect search = area.intersected(picture);
    if (search.isEmpty()) return {};
    const QRect window =
        search.adjusted(-kFarthest, -kFarthest, kFarthest, kFarthest).intersected(picture);
    const int h = window.height();
    BitMask core(window.width(), h);
    Readability result;
    result.cores = FindCores(composed, plain, text, search, window, core);
    if (result.cores == 0) return result;

    const BitMask near = WidenRows(core, h, kNearest);
    const BitMask reach = WidenRows(core, h, kFarthest);
    std::vector<std::uint64_t> inner(core.words()), outer(core.words());
    // Widening spills into the padding bits of a row's last word; they are no pixels.
    const int tail = window.width() % 64;
    const std::uint64_t lastWord = tail == 0 ? ~std::uint64_t{0} : (std::uint64_t{1} << tail) - 1;
    const auto& lin = LinearLevels();
    const double textLuminance = RelativeLuminance(text);
    std::vector<float> ratios;
    for (int y = 0; y < h; ++y) {
        NearRow(near, h, y, kNearest, inner);
        NearRow(reach, h, y, kFarthest, outer);
        outer.back() &= lastWord;
        const std::uint8_t* row = composed.at(window.left(), window.top() + y);
        for (std::size_t j = 0; j < outer.size(); ++j)
            for (std::uint64_t ring = outer[j] & ~inner[j]; ring != 0; ring &= ring - 1) {
                const std::size_t x = j * 64 + static_cast<std::size_t>(std::countr_zero(ring));
                const std::uint8_t* px = row + 3 * x;
                const double l = 0.2126 * lin[px[0]] + 0.7152 * lin[px[1]] + 0.0722 * lin[px[2]];
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

}  // namespace

double RelativeLuminance(std::uint32_t color) {
    return Luminance(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                     static_cast<int>((color >> 16) & 0xFF));
}

double ContrastRatio(std::uint32_t a, std::uint32_t b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Readability MeasureReadability(const imaging::Bitmap& composed, const imaging::Bitmap& plain,
                               Color textColor, const QRect& area) {
    if (composed.width() != plain.width() || composed.height() != plain.height()) return {};
    return Measure(ViewOf(composed), ViewOf(plain), QRect(0, 0, plain.width(), plain.height()),
                   static_cast<std::uint32_t>(textColor) & 0xFFFFFF, area);
}

Readability MeasureReadability(const imaging::Bitmap& composed, const imaging::Bitmap& plain,
                               Color textColor) {
    return MeasureReadability(composed, plain, textColor,
                              QRect(0, 0, composed.width(), composed.height()));
}

Readability MeasureBoardReadability(const imaging::Bitmap& screen, const TextLayer& layer,
                                    Color textColor) {
    const QRect drawn = layer.drawnBounds();
    if (drawn.isEmpty() || screen.empty()) return {};
    if (layer.width() != screen.width() || layer.height() != screen.height()) {
        imaging::Bitmap composed = screen;
        OverlayTextLayer(composed, layer);
        return MeasureReadability(composed, screen, textColor);
    }
    // Only the text's area and the surround's reach beyond it are composed.
    const QRect picture(0, 0, screen.width(), screen.height());
    const QRect window =
        drawn.adjusted(-kFarthest, -kFarthest, kFarthest, kFarthest).intersected(picture);
    imaging::Bitmap composed(window.width(), window.height());
    const PixelView view{composed.data(), composed.stride(), window.left(), window.top()};
    for (int y = window.top(); y <= window.bottom(); ++y)
        std::copy_n(screen.row(y) + 3 * window.left(), 3 * window.width(),
                    composed.row(y - window.top()));
    OverlayTextLayerPart(composed, layer, window.topLeft());
    return Measure(view, ViewOf(screen), picture, static_cast<std::uint32_t>(textColor) & 0xFFFFFF,
                   drawn);
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
