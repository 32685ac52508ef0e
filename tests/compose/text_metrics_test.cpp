// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/text_metrics.h"

#include <gtest/gtest.h>

#include "compose/text_frame.h"

namespace dorvane::compose {
namespace {

TEST(TextMetrics, EmLineStepAndGoalGapAt96Dpi) {
    struct Row {
        int size, em, step, gap;
    };
    const Row rows[] = {{9, 12, 14, 8},   {10, 13, 16, 9},  {11, 15, 18, 10}, {12, 16, 19, 11},
                        {13, 17, 20, 12}, {14, 19, 23, 13}, {16, 21, 25, 15}, {18, 24, 29, 17},
                        {20, 27, 32, 19}, {22, 29, 35, 20}, {24, 32, 38, 22}, {28, 37, 44, 26},
                        {32, 43, 52, 30}, {36, 48, 58, 34}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.size);
        const int em = EmHeight(r.size, 96);
        EXPECT_EQ(em, r.em);
        EXPECT_EQ(LineStep(em), r.step);
        EXPECT_EQ(GoalGap(em), r.gap);
    }
}

TEST(TextMetrics, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(GoalGap(15), 10);  // 10.5
    EXPECT_EQ(GoalGap(5), 4);    // 3.5
    EXPECT_EQ(LineStep(5), 6);
}

TEST(TextMetrics, InterfaceFontSubtractionAndSizeClamp) {
    EXPECT_EQ(InterfaceFontAdjust(96), 10);   // round(0.9 × 11)
    EXPECT_EQ(InterfaceFontAdjust(120), 12);  // round(0.9 × 13)
    EXPECT_EQ(DrawnFontSize(0), kMinDrawnFontSize);
    EXPECT_EQ(DrawnFontSize(-5), kMinDrawnFontSize);
    EXPECT_EQ(DrawnFontSize(100000), kMaxDrawnFontSize);
    EXPECT_EQ(DrawnFontSize(36), 36);
}

TEST(UpdateTextFrame, MapsTheDefaultBoxOnA1024Screen) {
    GoalBoard b = NewBoard(1024);
    const TextRenderState s = UpdateTextFrame(b, 50, 349, 1024);
    EXPECT_DOUBLE_EQ(s.PreviewScale, 0.3408203125);
    EXPECT_EQ(s.Frame, (FrameRect{3, 3, 346, 20}));
}

TEST(UpdateTextFrame, NoTextCollapsesTheFrame) {
    GoalBoard b = NewBoard(1024);
    const TextRenderState s = UpdateTextFrame(b, -10, 349, 1024);
    EXPECT_EQ(s.PreviewScale, 0.0);
    EXPECT_EQ(s.Frame, (FrameRect{0, 0, 0, 0}));
}

TEST(UpdateTextFrame, AbsurdBoxesDoNotOverflow) {
    GoalBoard b;
    b.TextPosX = -2147483647 - 1;
    b.TextWidth = 2147483647;
    b.TextPosY = 2147483647;
    const TextRenderState s = UpdateTextFrame(b, 2147483647, 1280, 1280);
    EXPECT_LT(s.Frame.left, 0);
    EXPECT_GT(s.Frame.bottom, 0);
}

}  // namespace
}  // namespace dorvane::compose
