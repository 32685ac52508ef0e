// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "compose/font_families.h"
#include "compose/goal_board.h"
#include "compose/style_controls.h"

namespace dorvane::compose {
namespace {

TEST(GoalBoard, NewBoardOnA1024WideScreenHasTheDefaults) {
    const GoalBoard b = NewBoard(1024);
    EXPECT_EQ(b.TextWidth, 1004);
    EXPECT_EQ(b.TextPosX, 10);
    EXPECT_EQ(b.TextPosY, 10);
    EXPECT_EQ(b.FontSize, 12);
    EXPECT_EQ(b.FontStyle, 0);
    EXPECT_EQ(b.FontColor, 0);
    EXPECT_FALSE(b.FontBullets);
    EXPECT_TRUE(b.Name.empty());
    EXPECT_TRUE(b.Preview.empty());
}

TEST(StyleTables, HoldTheOfferedValuesInOrder) {
    EXPECT_EQ(kFontSizes.front(), 9);
    EXPECT_EQ(kFontSizes[kDefaultSizeIndex], 12);
    EXPECT_EQ(kFontSizes.back(), 36);
    EXPECT_EQ(kColors[9].name, "Red");
    EXPECT_EQ(kColors[9].value, 0x0000FF);   // red in the low byte
    EXPECT_EQ(kColors[12].value, 0xFF0000);  // blue in the high byte
    EXPECT_EQ(kColors[17].name, "Sky Blue");
    EXPECT_EQ(kColors[17].value, 0xF0CAA6);
    EXPECT_EQ(FontChoices[1], "Comic Sans MS");  // table order, not alphabetical
}

TEST(FillFontList, KeepsOnlyExactChoicesAlphabetically) {
    StyleControls c;
    FillFontList(c, {"DejaVu Sans", "Verdana", "ARIAL", "Arial", "Liberation Sans", "Verdana"});
    EXPECT_EQ(c.font.items, (std::vector<std::string>{"Arial", "Verdana"}));
    EXPECT_EQ(c.font.selected, 0);
    GoalBoard b;
    ReadStyleControls(c, b);
    EXPECT_EQ(b.FontName, "Arial");
}

TEST(FillFontList, SortsWhateverTheEnumerationOrder) {
    StyleControls c;
    FillFontList(c, {"Verdana", "Times New Roman", "Century Gothic", "Comic Sans MS", "Arial"});
    EXPECT_EQ(c.font.items, (std::vector<std::string>{"Arial", "Century Gothic", "Comic Sans MS",
                                                      "Times New Roman", "Verdana"}));
}

TEST(FillFontList, NoChoiceInstalledLeavesTheListEmptyAndTheNameEmpty) {
    StyleControls c;
    FillFontList(c, {"DejaVu Sans"});
    EXPECT_TRUE(c.font.items.empty());
    EXPECT_EQ(c.font.selected, -1);
    GoalBoard b;
    b.FontName = "Arial";
    ReadStyleControls(c, b);
    EXPECT_EQ(b.FontName, "");
}

TEST(ReadStyleControls, StoresIndexesSizesAndColours) {
    StyleControls c;
    c.style.selected = 3;    // bold/italic
    c.shading.selected = 2;  // bright
    c.size.selected = 13;    // 36
    c.colour.selected = 16;  // Money Green
    c.alignment.selected = 1;
    GoalBoard b;
    b.Goal[1] = "keep";
    b.TextPosX = 77;
    ReadStyleControls(c, b);
    EXPECT_EQ(b.FontStyle, 3);
    EXPECT_EQ(b.FontShading, 2);
    EXPECT_EQ(b.FontSize, 36);
    EXPECT_EQ(b.FontColor, 0xC0DCC0);
    EXPECT_EQ(b.FontAlign, 1);
    EXPECT_EQ(b.Goal[1], "keep");
    EXPECT_EQ(b.TextPosX, 77);
}

TEST(ShowBoardStyle, SelectsTheBoardsItemsAndReadingBackChangesNothing) {
    StyleControls c;
    FillFontList(c, {"Arial", "Verdana"});
    GoalBoard b;
    b.FontName = "verdana";
    b.FontSize = 16;
    b.FontStyle = 2;
    b.FontAlign = 1;
    b.FontColor = 0xF0FBFF;  // Cream
    ShowBoardStyle(c, b);
    EXPECT_EQ(c.font.selected, 1);
    EXPECT_EQ(*c.size.selectedText(), "16");
    EXPECT_EQ(*c.style.selectedText(), "italic");
    EXPECT_EQ(*c.alignment.selectedText(), "center");
    EXPECT_EQ(*c.colour.selectedText(), "Cream");
    GoalBoard again = b;
    ReadStyleControls(c, again);
    EXPECT_EQ(again.FontSize, b.FontSize);
    EXPECT_EQ(again.FontColor, b.FontColor);
    EXPECT_EQ(again.FontName, "Verdana");  // the list's spelling
}

TEST(ShowBoardStyle, ValuesNoControlOffersLeaveNoSelectionAndKeepTheBoard) {
    StyleControls c;
    GoalBoard b;
    b.FontSize = 15;
    b.FontStyle = 7;
    b.FontColor = 0x123456;
    ShowBoardStyle(c, b);
    EXPECT_EQ(c.size.selected, -1);
    EXPECT_EQ(c.style.selected, -1);
    EXPECT_EQ(c.colour.selected, -1);
    ReadStyleControls(c, b);
    EXPECT_EQ(b.FontSize, 15);
    EXPECT_EQ(b.FontStyle, 7);
    EXPECT_EQ(b.FontColor, 0x123456);
}

TEST(InstalledFontFamilies, ReportsArialWhereLiberationSansStandsInForIt) {
    const std::vector<std::string> families = InstalledFontFamilies();
    ASSERT_TRUE(std::is_sorted(families.begin(), families.end()));
    const auto has = [&](const char* f) {
        return std::find(families.begin(), families.end(), f) != families.end();
    };
    ASSERT_TRUE(has("Liberation Sans")) << "fonts-liberation2 is a build dependency";
    EXPECT_TRUE(has("Arial"));
    EXPECT_TRUE(has("Times New Roman"));
    EXPECT_TRUE(has("Courier New"));
    EXPECT_FALSE(has("Verdana"));  // DejaVu Sans is similar, not of the same metrics
    StyleControls c;
    FillFontList(c, families);
    EXPECT_EQ(c.font.items.front(), "Arial");
}

}  // namespace
}  // namespace dorvane::compose
