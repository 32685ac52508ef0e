// SPDX-License-Identifier: GPL-3.0-or-later
// How readable the goal text is on its picture, as one contrast ratio:
//  1. glyph cores: the pixels of the composed board within 8 levels, in every
//     channel, of the text colour that differ from the board composed without goals;
//  2. the surround: the pixels 2 or 3 pixels (square distance) from the nearest
//     core, whatever they show: photo, shadow, outline or band;
//  3. each surround pixel's WCAG 2 contrast ratio with the text colour, relative
//     luminance from sRGB;
//  4. the 10th percentile of those ratios (nearest rank: the ratio that a tenth of
//     the surround, rounded up, is at or below).
#pragma once

#include <QRect>
#include <cstdint>
#include <string>

#include "compose/goal_board.h"
#include "compose/text_layer.h"
#include "imaging/bitmap.h"

namespace dorvane::compose {

// What a reader needs at a glance: WCAG 2's level for body text.
inline constexpr double kReadableRatio = 4.5;

struct Readability {
    double ratio = 1.0;         // 1 when no core can be seen
    std::int64_t cores = 0;     // glyph-core pixels found
    std::int64_t surround = 0;  // surround pixels measured

    bool visible() const { return cores > 0; }
    bool readable() const { return visible() && ratio >= kReadableRatio; }
};

// WCAG 2 relative luminance of an sRGB colour 0x00BBGGRR, 0 to 1.
double RelativeLuminance(std::uint32_t color);
// (lighter + 0.05) / (darker + 0.05): 1 to 21.
double ContrastRatio(std::uint32_t a, std::uint32_t b);

// The measure of `composed` against `plain` (the same board without goals, same
// size) for text of textColor. Only pixels inside `area` may differ between the
// two (the caller's promise; the rest of the picture is not searched for cores).
Readability MeasureReadability(const imaging::Bitmap& composed, const imaging::Bitmap& plain,
                               Color textColor, const QRect& area);
// The same over the whole picture.
Readability MeasureReadability(const imaging::Bitmap& composed, const imaging::Bitmap& plain,
                               Color textColor);

// The measure of a board whose picture at screen size is `screen` and whose
// text is `layer` (the same size): only the rows the text touches are composed.
Readability MeasureBoardReadability(const imaging::Bitmap& screen, const TextLayer& layer,
                                    Color textColor);

// "7.32:1, easy to read", "3.10:1, hard to read" or "no goal text can be seen".
// The ratio is cut, not rounded, to two decimals, so 4.499 never shows as 4.50.
std::string DescribeReadability(const Readability& measure);
std::string FormatRatio(double ratio);

}  // namespace dorvane::compose
