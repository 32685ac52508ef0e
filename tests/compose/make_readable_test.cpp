// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/make_readable.h"

#include <gtest/gtest.h>

#include <map>

#include "compose/goal_text.h"
#include "gallery/builtin_pictures.h"
#include "gallery/picture_loader.h"
#include "imaging/fit.h"
#include "imaging/scale.h"

namespace dorvane::compose {
namespace {

GoalBoard ThreeGoals(Color color, std::uint8_t style, std::uint8_t shading) {
    GoalBoard b = NewBoard(1920);
    b.FontName = "Arial";
    b.FontSize = 24;
    b.FontStyle = style;
    b.FontColor = color;
    b.FontShading = shading;
    b.TextPosX = 100;
    b.TextPosY = 100;
    b.TextWidth = 900;
    b.Goal[1] = "Run a half marathon before the summer";
    b.Goal[2] = "Read one book every month";
    b.Goal[3] = "Call my parents every Sunday";
    return b;
}

imaging::Bitmap Photo(int n, int width, int height) {
    gallery::Catalogue pictures;
    for (int i = 1; i <= gallery::kBuiltInPictureCount; ++i)
        pictures.push_back({std::string(gallery::BuiltInPictureName(i)), true, i});
    imaging::Bitmap full;
    gallery::LoadGalleryPicture(n, pictures, {}, full);
    const imaging::Size p = imaging::FitSize(width, height, 353, 262);
    imaging::Bitmap screen(width, height), preview(p.width, p.height);
    imaging::PrepareScreenPictures(full, screen, preview);
    return screen;
}

// The board with the fix, measured afresh.
Readability MeasureFixed(GoalBoard board, const ReadableFix& fix, const imaging::Bitmap& screen) {
    board.FontColor = fix.FontColor;
    board.FontShading = fix.FontShading;
    TextLayer layer(screen.width(), screen.height());
    RenderTextLayer(layer, board, 96, screen.width());
    return MeasureBoardReadability(screen, layer, board.FontColor);
}

// Every built-in photograph, with black text and with white bold text on the dark
// shadow: each ends at 4.5:1 or more. The choices are printed for the record.
TEST(MakeReadable, EveryBuiltInPhotographReachesFourAndAHalf) {
    const GoalBoard looks[] = {ThreeGoals(0x000000, 0, 0), ThreeGoals(0xFFFFFF, 1, 1)};
    int readableBefore[2] = {0, 0};
    std::map<std::string, int> choices;
    for (int n = 1; n <= gallery::kBuiltInPictureCount; ++n) {
        const imaging::Bitmap screen = Photo(n, 1920, 1080);
        for (int i = 0; i < 2; ++i) {
            const ReadableFix fix = MakeReadable(looks[i], screen, 96);
            const std::string where =
                std::string(gallery::BuiltInPictureName(n)) + " look " + std::to_string(i);
            readableBefore[i] += fix.before.readable();
            EXPECT_TRUE(fix.outcome == ReadableOutcome::Changed ||
                        fix.outcome == ReadableOutcome::AlreadyReadable)
                << where;
            EXPECT_GE(fix.after.ratio, kReadableRatio) << where;
            EXPECT_EQ(MeasureFixed(looks[i], fix, screen).ratio, fix.after.ratio) << where;
            ++choices[ColorName(fix.FontColor) + " / " + ShadingName(fix.FontShading)];
        }
    }
    std::printf("readable before: black %d/32, white bold dark %d/32\n", readableBefore[0],
                readableBefore[1]);
    for (const auto& [look, count] : choices) std::printf("%3d  %s\n", count, look.c_str());
}

TEST(MakeReadable, BadInputEndsAndSaysWhatItDid) {
    imaging::Bitmap grey(1920, 1080);
    grey.fill(0x808080);
    GoalBoard empty = ThreeGoals(0, 0, 0);
    for (int i = 1; i <= kGoalCount; ++i) empty.Goal[static_cast<std::size_t>(i)] = " \t ";
    const ReadableFix none = MakeReadable(empty, grey, 96);
    EXPECT_EQ(none.outcome, ReadableOutcome::NoGoals);
    EXPECT_EQ(none.measured, 0);
    EXPECT_EQ(DescribeFix(none, empty), "every goal is empty: nothing to make readable");

    GoalBoard away = ThreeGoals(0, 0, 0);
    away.TextPosX = 5000;
    const ReadableFix off = MakeReadable(away, grey, 96);
    EXPECT_EQ(off.outcome, ReadableOutcome::OffPicture);
    EXPECT_EQ(off.FontColor, away.FontColor);
    EXPECT_EQ(off.FontShading, away.FontShading);

    // Grey text on a grey photograph cannot be seen at all; a change makes it readable.
    const GoalBoard invisible = ThreeGoals(0x808080, 0, 0);
    const ReadableFix seen = MakeReadable(invisible, grey, 96);
    EXPECT_FALSE(seen.before.visible());
    EXPECT_EQ(seen.outcome, ReadableOutcome::Changed);
    EXPECT_GE(seen.after.ratio, kReadableRatio);

    imaging::Bitmap dot(1, 1);  // a 1 × 1 screen: the text falls off it or is one pixel
    const ReadableFix tiny = MakeReadable(ThreeGoals(0xFFFFFF, 0, 0), dot, 96);
    EXPECT_EQ(tiny.outcome, ReadableOutcome::OffPicture);
    GoalBoard corner = ThreeGoals(0xFFFFFF, 0, 0);
    corner.TextPosX = corner.TextPosY = -3;
    const ReadableFix one = MakeReadable(corner, dot, 96);
    EXPECT_NE(one.outcome, ReadableOutcome::Changed);  // no surround on one pixel
    EXPECT_FALSE(DescribeFix(one, corner).empty());
}

TEST(MakeReadable, KeepsAReadableBoardAndPrefersTheLeastChange) {
    imaging::Bitmap white(800, 600);
    white.fill(0xFFFFFF);
    const GoalBoard black = ThreeGoals(0x000000, 0, 0);
    const ReadableFix kept = MakeReadable(black, white, 96);
    EXPECT_EQ(kept.outcome, ReadableOutcome::AlreadyReadable);
    EXPECT_EQ(kept.measured, 1);
    EXPECT_EQ(kept.after.ratio, 21.0);

    // White on nearly white: the colour is kept and the cheapest shading that
    // works, the dark outline, is added; no band, no colour change.
    imaging::Bitmap light(800, 600);
    light.fill(0xF0F0F0);
    const GoalBoard whiteText = ThreeGoals(0xFFFFFF, 0, 0);
    const ReadableFix fix = MakeReadable(whiteText, light, 96);
    EXPECT_EQ(fix.outcome, ReadableOutcome::Changed);
    EXPECT_EQ(fix.FontColor, 0xFFFFFF);
    EXPECT_EQ(fix.FontShading, 3);
    EXPECT_EQ(DescribeFix(fix, whiteText), "shading \"none\" -> \"dark outline\"");
}

TEST(LookChangeCost, OrdersChangesByHowMuchTheyShow) {
    struct Case {
        Color fromColor;
        std::uint8_t fromShading;
        Color toColor;
        std::uint8_t toShading;
        double cost;
    };
    const Case cases[] = {
        {0xFFFFFF, 1, 0xFFFFFF, 1, 0.0},
        {0xFFFFFF, 1, 0xFFFFFF, 0, 0.5},
        {0xFFFFFF, 0, 0xFFFFFF, 2, 1.0},
        {0xFFFFFF, 0, 0xFFFFFF, 4, 2.0},
        {0xFFFFFF, 0, 0xFFFFFF, 5, 2.5 + 2.5 * 89 / 255.0},
        {0xFFFFFF, 0, 0xFFFFFF, 12, 2.5 + 2.5 * 204 / 255.0},
        {0x000000, 0, 0xFFFFFF, 0, 5.0},
        {0x000000, 1, 0xFFFFFF, 3, 7.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(LookChangeCost(c.fromColor, c.fromShading, c.toColor, c.toShading), c.cost,
                    1e-3);
    // A near colour costs less than a shading beyond the shadow.
    EXPECT_LT(LookChangeCost(0xFFFFFF, 0, 0xF0FBFF, 0), 2.0);
    EXPECT_LT(LookChangeCost(0x808080, 0, 0xC0C0C0, 0), 2.0);
}

}  // namespace
}  // namespace dorvane::compose
