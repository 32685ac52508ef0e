// SPDX-License-Identifier: GPL-3.0-or-later
// The pixel arithmetic of goal text: em height, line step, goal gap and the
// subtraction of the interface font, all in integers so that halves round exactly.
#pragma once

#include <algorithm>
#include <cstdint>

#include "base/rounding.h"

namespace dorvane::compose {

// Sizes from edited files are drawn clamped to this range; the board keeps its value.
inline constexpr int kMinDrawnFontSize = 1;
inline constexpr int kMaxDrawnFontSize = 400;

constexpr int DrawnFontSize(std::int32_t fontSize) {
    return std::clamp<std::int32_t>(fontSize, kMinDrawnFontSize, kMaxDrawnFontSize);
}

// Em height E of a font of `points` at `dpi` pixels per inch: S × D / 72.
constexpr int EmHeight(int points, int dpi) {
    return static_cast<int>(base::DivRoundHalfAway(std::int64_t{points} * dpi, 72));
}
constexpr int LineStep(int em) {
    return static_cast<int>(base::DivRoundHalfEven(12LL * em, 10));
}
constexpr int GoalGap(int em) {
    return static_cast<int>(base::DivRoundHalfEven(7LL * em, 10));
}

// round(0.9 × H), H the height of the 8-point interface font at dpi (11 pixels at 96).
constexpr int InterfaceFontAdjust(int dpi) {
    return static_cast<int>(base::DivRoundHalfEven(9LL * EmHeight(8, dpi), 10));
}

}  // namespace dorvane::compose
