// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/fit.h"

#include <gtest/gtest.h>

#include "base/error.h"

using namespace dorvane;
using namespace dorvane::imaging;

TEST(FitSize, ThumbnailBox) {
    EXPECT_EQ(FitSize(1600, 1200, 95, 71), (Size{95, 71}));
    EXPECT_EQ(FitSize(1200, 1600, 95, 71), (Size{53, 71}));
    EXPECT_EQ(FitSize(50, 50, 95, 71), (Size{71, 71}));  // small pictures are enlarged
    EXPECT_EQ(FitSize(190, 5, 95, 71), (Size{95, 2}));   // 2.5 rounds to the even 2
    EXPECT_EQ(FitSize(2000, 10, 95, 71), (Size{95, 0}));
    EXPECT_EQ(FitSize(1, 10000, 95, 71), (Size{0, 71}));
}

TEST(FitSize, PreviewBoxForCommonScreens) {
    EXPECT_EQ(FitSize(1920, 1080, 353, 262), (Size{353, 199}));
    EXPECT_EQ(FitSize(1024, 768, 353, 262), (Size{349, 262}));
    EXPECT_EQ(FitSize(1280, 1024, 353, 262), (Size{328, 262}));
    EXPECT_EQ(FitSize(353, 262, 353, 262), (Size{353, 262}));
}

TEST(FitSize, SourceWithoutPixelsIsAnError) {
    EXPECT_THROW(FitSize(0, 100, 95, 71), base::Error);
    EXPECT_THROW(FitSize(100, 0, 95, 71), base::Error);
    EXPECT_THROW(FitSize(-5, 100, 95, 71), base::Error);
}

TEST(ScreenCropRect, WorkedValues) {
    EXPECT_EQ(ScreenCropRect({1600, 1200}, {1920, 1080}), (Rect{0, 150, 1600, 900}));
    EXPECT_EQ(ScreenCropRect({1600, 1200}, {1024, 768}), (Rect{0, 0, 1600, 1200}));
    EXPECT_EQ(ScreenCropRect({1600, 1200}, {1280, 1024}), (Rect{50, 0, 1500, 1200}));
    EXPECT_EQ(ScreenCropRect({1200, 1600}, {1920, 1080}), (Rect{0, 462, 1200, 675}));
}

TEST(ScreenCropRect, OriginTruncatesTowardZero) {
    // 1601 columns, crop of 1500: (1601 − 1500) / 2 = 50, not 51.
    EXPECT_EQ(ScreenCropRect({1601, 1200}, {1280, 1024}), (Rect{50, 0, 1500, 1200}));
}

TEST(ScreenCropRect, StaysInsideThePictureWhenRatiosRound) {
    // Ratio 334 of a 334×1000 screen; 1001×3000 also rounds to 334, and
    // 3000 × 334 / 1000 would give 1002 columns, one more than the picture has.
    EXPECT_EQ(ScreenCropRect({1001, 3000}, {334, 1000}), (Rect{0, 0, 1001, 3000}));
    // A one-column picture on a very wide screen would get an empty crop.
    EXPECT_EQ(ScreenCropRect({1, 1000}, {5120, 1440}), (Rect{0, 499, 1, 1}));
}

TEST(ScreenCropRect, EmptySizesAreErrors) {
    EXPECT_THROW(ScreenCropRect({0, 1200}, {1920, 1080}), base::Error);
    EXPECT_THROW(ScreenCropRect({1600, 1200}, {1920, 0}), base::Error);
}
