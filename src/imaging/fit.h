// SPDX-License-Identifier: GPL-3.0-or-later
// Fitting sizes and the centred crop that gives a picture the screen's proportions.
#pragma once

namespace dorvane::imaging {

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The largest size of the source's aspect ratio that fills the box in one
// dimension and fits in the other; quotients round halves to even, so
// FitSize(190, 5, 95, 71) is 95 × 2. Either side may be 0.
Size FitSize(int sourceWidth, int sourceHeight, int boxWidth, int boxHeight);

// The centred rectangle of a picture that has the screen's proportions, from the
// ratios in thousandths (1600×1200 on 1920×1080 → 1600×900 from (0, 150)).
Rect ScreenCropRect(Size picture, Size screen);

}  // namespace dorvane::imaging
