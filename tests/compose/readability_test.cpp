// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/readability.h"

#include <gtest/gtest.h>

#include "compose/goal_text.h"
#include "compose/overlay.h"

namespace dorvane::compose {
namespace {

constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kGrey = 0x808080;

// A 40 × 40 picture of one colour with an 8 × 8 "glyph" at (16, 16) in the composed copy.
struct Square {
    imaging::Bitmap plain{40, 40};
    imaging::Bitmap composed{40, 40};
    Square(std::uint32_t background, std::uint32_t text, std::uint32_t under) {
        plain.fill(background);
        composed.fill(background);
        for (int y = 16; y < 24; ++y)
            for (int x = 16; x < 24; ++x) {
                plain.setPixel(x, y, under);  // what the picture had under the glyph
                composed.setPixel(x, y, text);
            }
    }
    // Paints the same pixel in both pictures: part of the photo, never a core.
    void photo(int x, int y, std::uint32_t color) {
        plain.setPixel(x, y, color);
        composed.setPixel(x, y, color);
    }
};

TEST(ContrastRatio, WorkedValues) {
    EXPECT_DOUBLE_EQ(ContrastRatio(kBlack, kWhite), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(kWhite, kBlack), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(kGrey, kGrey), 1.0);
    EXPECT_NEAR(ContrastRatio(0x777777, kWhite), 4.48, 0.005);  // the classic "#777 fails"
    EXPECT_NEAR(ContrastRatio(0x0000FF, kWhite), 4.0, 0.005);   // pure red on white
    EXPECT_NEAR(RelativeLuminance(0x00FF00), 0.7152, 1e-9);     // green's weight
}

TEST(MeasureReadability, SyntheticPicturesWithKnownRatios) {
    struct Case {
        const char* what;
        std::uint32_t background, drawn, under;
        Color text;
        double ratio;
        std::int64_t cores;
    };
    const Case cases[] = {
        {"black on white", kWhite, kBlack, kWhite, kBlack, 21.0, 64},
        {"white on black", kBlack, kWhite, kBlack, kWhite, 21.0, 64},
        {"mid-grey on mid-grey", kGrey, kGrey, kBlack, kGrey, 1.0, 64},
        {"grey drawn on the same grey: nothing differs", kGrey, kGrey, kGrey, kGrey, 1.0, 0},
        {"8 levels off the text colour is still a core", kWhite, 0x080808, kWhite, kBlack, 21.0,
         64},
    };
    for (const Case& c : cases) {
        Square s(c.background, c.drawn, c.under);
        const Readability r = MeasureReadability(s.composed, s.plain, c.text);
        EXPECT_EQ(r.cores, c.cores) << c.what;
        EXPECT_NEAR(r.ratio, c.ratio, 1e-5) << c.what;
        // The ring 2 to 3 pixels round an 8 × 8 square: 14² − 10².
        EXPECT_EQ(r.surround, c.cores ? 96 : 0) << c.what;
    }
    Square nine(kWhite, 0x090909, kWhite);  // 9 levels off: no core
    EXPECT_FALSE(MeasureReadability(nine.composed, nine.plain, kBlack).visible());
}

TEST(MeasureReadability, TakesTheTenthPercentileOfTheRingOnly) {
    // 96 surround pixels: the 10th lowest ratio counts (nearest rank).
    for (const auto& [darkInRing, expected] : {std::pair{9, 21.0}, std::pair{10, 1.0}}) {
        Square s(kWhite, kBlack, kWhite);
        for (int x = 13; x < 13 + darkInRing; ++x) s.photo(x, 13, kBlack);  // distance 3
        EXPECT_DOUBLE_EQ(MeasureReadability(s.composed, s.plain, kBlack).ratio, expected)
            << darkInRing;
    }
    Square s(kWhite, kBlack, kWhite);
    for (int i = 15; i <= 24; ++i) {  // the whole ring at distance 1, and a line at 4
        s.photo(i, 15, kBlack), s.photo(i, 24, kBlack), s.photo(15, i, kBlack);
        s.photo(24, i, kBlack), s.photo(i, 12, kBlack);
    }
    EXPECT_DOUBLE_EQ(MeasureReadability(s.composed, s.plain, kBlack).ratio, 21.0);
}

TEST(MeasureReadability, EdgesOfThePictureAndTinyPictures) {
    imaging::Bitmap plain(1, 1), composed(1, 1);
    plain.fill(kWhite);
    const Readability none = MeasureReadability(composed, plain, kBlack);
    EXPECT_EQ(none.cores, 1);
    EXPECT_EQ(none.surround, 0);
    EXPECT_EQ(none.ratio, 1.0);
    EXPECT_FALSE(
        MeasureReadability(composed, imaging::Bitmap(2, 1), kBlack).visible());  // sizes differ
    EXPECT_FALSE(MeasureReadability(composed, plain, kBlack, QRect(5, 5, 3, 3)).visible());
    Square corner(kWhite, kBlack, kWhite);  // a search area reaching past the picture
    EXPECT_EQ(
        MeasureReadability(corner.composed, corner.plain, kBlack, QRect(-50, -50, 500, 500)).ratio,
        21.0);
}

// The partial composition of a board gives what composing the whole picture gives.
TEST(MeasureBoardReadability, AgreesWithTheWholeComposedPicture) {
    imaging::Bitmap screen(640, 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            screen.setPixel(x, y,
                            static_cast<std::uint32_t>((x * 255 / 639) * 0x010101 ^ (y & 0x3F)));
    GoalBoard board = NewBoard(640);
    board.FontName = "Arial";
    board.FontSize = 20;
    board.Goal[1] = "Read a book every month";
    board.Goal[2] = "Walk to work";
    board.TextPosY = 300;
    for (const auto& [color, shading] : {std::pair{0xFFFFFF, 0}, std::pair{0xFFFFFF, 3},
                                         std::pair{0x00FFFF, 7}, std::pair{0x000000, 12}}) {
        board.FontColor = color;
        board.FontShading = static_cast<std::uint8_t>(shading);
        TextLayer layer(640, 480);
        RenderTextLayer(layer, board, 96, 349);
        imaging::Bitmap composed = screen;
        OverlayTextLayer(composed, layer);
        const Readability whole = MeasureReadability(composed, screen, color);
        const Readability part = MeasureBoardReadability(screen, layer, color);
        EXPECT_GT(whole.cores, 100) << shading;
        EXPECT_EQ(part.cores, whole.cores) << shading;
        EXPECT_EQ(part.surround, whole.surround) << shading;
        EXPECT_EQ(part.ratio, whole.ratio) << shading;
    }
}

TEST(DescribeReadability, CutsTheRatioToTwoDecimals) {
    EXPECT_EQ(FormatRatio(21.0), "21.00:1");
    EXPECT_EQ(FormatRatio(4.4999), "4.49:1");
    EXPECT_EQ(DescribeReadability({4.5, 10, 10}), "4.50:1, easy to read");
    EXPECT_EQ(DescribeReadability({1.08, 10, 10}), "1.08:1, hard to read");
    EXPECT_EQ(DescribeReadability({}), "no goal text can be seen");
}

}  // namespace
}  // namespace dorvane::compose
