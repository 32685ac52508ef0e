// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/fit.h"

#include <algorithm>
#include <string>

#include "base/error.h"
#include "base/rounding.h"

namespace dorvane::imaging {
namespace {

std::string SizeText(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

int ToInt(std::int64_t v) {
    return static_cast<int>(v);
}

// A screen's or picture's proportions in thousandths: 1920×1080 → 1778.
std::int64_t RatioThousandths(Size s) {
    return base::DivRoundHalfEven(std::int64_t{s.width} * 1000, s.height);
}

}  // namespace

Size FitSize(int sourceWidth, int sourceHeight, int boxWidth, int boxHeight) {
    // A source without pixels has no proportions; refuse it rather than divide by zero.
    if (sourceWidth <= 0 || sourceHeight <= 0)
        throw base::Error("Cannot fit a picture of size " + SizeText(sourceWidth, sourceHeight));
    Size fit{boxWidth,
             ToInt(base::DivRoundHalfEven(std::int64_t{sourceHeight} * boxWidth, sourceWidth))};
    if (fit.height > boxHeight) {
        fit.height = boxHeight;
        fit.width =
            ToInt(base::DivRoundHalfEven(std::int64_t{sourceWidth} * boxHeight, sourceHeight));
    }
    return fit;
}

Rect ScreenCropRect(Size picture, Size screen) {
    if (picture.width <= 0 || picture.height <= 0 || screen.width <= 0 || screen.height <= 0)
        throw base::Error("Cannot crop a picture of size " +
                          SizeText(picture.width, picture.height) + " for a screen of size " +
                          SizeText(screen.width, screen.height));
    const std::int64_t screenRatio = RatioThousandths(screen);
    const std::int64_t pictureRatio = RatioThousandths(picture);
    Rect crop;
    if (screenRatio > pictureRatio) {
        crop.width = picture.width;
        crop.height = ToInt(base::DivRoundHalfEven(std::int64_t{crop.width} * 1000, screenRatio));
    } else {
        crop.height = picture.height;
        crop.width = ToInt(base::DivRoundHalfEven(std::int64_t{crop.height} * screenRatio, 1000));
    }
    // The ratios are rounded to thousandths, so for tall or very wide pictures the
    // crop can come out a pixel larger than the picture (1001×3000 on a screen of
    // ratio 334 gives 1002 columns) or empty; keep it inside and non-empty.
    crop.width = std::clamp(crop.width, 1, picture.width);
    crop.height = std::clamp(crop.height, 1, picture.height);
    crop.x = (picture.width - crop.width) / 2;
    crop.y = (picture.height - crop.height) / 2;
    return crop;
}

}  // namespace dorvane::imaging
