// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "test_support.h"

namespace dorvane::htmlview {
namespace {

using test::Lay;

TEST(TableLayout, PercentageCellsShareAPixelWidth) {
    const auto l =
        Lay("<table width=300 cellpadding=0 cellspacing=0 border=0><tr>"
            "<td width=\"20%\"><img src=w1h1></td><td width=\"80%\"><img src=w2h1></td>"
            "</tr></table>",
            400);
    EXPECT_EQ(l.image("w1h1").rect.left(), 0);
    EXPECT_EQ(l.image("w2h1").rect.left(), 60);
}

TEST(TableLayout, FullWidthTableFillsTheView) {
    const auto l =
        Lay("<table width=\"100%\" cellpadding=0 cellspacing=0><tr><td valign=top>"
            "<img src=w80h21></td><td align=right><img src=w10h14><br><img src=w80h20>"
            "</td></tr></table>",
            377);
    // Left cell takes its picture's width, the right cell the rest; right-aligned.
    EXPECT_EQ(l.image("w80h21").rect.topLeft(), QPointF(0, 0));
    EXPECT_EQ(l.image("w80h20").rect.right(), 377);
    EXPECT_EQ(l.image("w10h14").rect.right(), 377);
    EXPECT_EQ(l.image("w80h20").rect.top(), 14);
    EXPECT_EQ(l.result.height, 34);
}

TEST(TableLayout, PaddingAndSpacingInsetTheCells) {
    const auto l =
        Lay("<table cellpadding=5 cellspacing=3><tr><td><img src=w10h10></td>"
            "<td><img src=w20h10></td></tr></table>",
            300);
    EXPECT_EQ(l.image("w10h10").rect.topLeft(), QPointF(8, 8));
    // 3 spacing + 5 + 10 + 5 + 3 spacing + 5
    EXPECT_EQ(l.image("w20h10").rect.left(), 31);
    EXPECT_EQ(l.result.height, 3 + 5 + 10 + 5 + 3);
}

TEST(TableLayout, DefaultsAreSpacingTwoPaddingOne) {
    const auto l = Lay("<table><tr><td><img src=w10h10></td></tr></table>", 300);
    EXPECT_EQ(l.image("w10h10").rect.topLeft(), QPointF(3, 3));
    EXPECT_EQ(l.result.height, 16);
}

TEST(TableLayout, BorderAddsAFrameAndCellInsets) {
    const auto l =
        Lay("<table border=2 cellpadding=0 cellspacing=0><tr><td><img src=w10h10></td>"
            "</tr></table>",
            300);
    // 2 outer border + 1 cell border
    EXPECT_EQ(l.image("w10h10").rect.topLeft(), QPointF(3, 3));
    EXPECT_EQ(l.of(Fragment::Kind::Frame).size(), 2u);
}

TEST(TableLayout, ColspanCellSpansTheColumnsBelow) {
    const auto l =
        Lay("<table cellpadding=0 cellspacing=4><tr><td colspan=2><img src=w200h5></td></tr>"
            "<tr><td width=50><img src=w1h1></td><td><img src=w2h2></td></tr></table>",
            400);
    EXPECT_EQ(l.image("w200h5").rect.left(), 4);
    EXPECT_EQ(l.image("w1h1").rect.left(), 4);
    // The spanning picture needs 200 = 50 + 4 + second column, so the second is 146.
    EXPECT_EQ(l.image("w2h2").rect.left(), 4 + 50 + 4);
    EXPECT_EQ(l.result.height, 4 + 5 + 4 + 2 + 4);
}

TEST(TableLayout, FixedWidthLabelColumn) {
    const auto l =
        Lay("<table width=\"100%\" cellpadding=0 cellspacing=2><tr><td width=45>"
            "<img src=w10h10></td><td><img src=w100h20></td></tr></table>",
            377);
    EXPECT_EQ(l.image("w10h10").rect.left(), 2);
    EXPECT_EQ(l.image("w100h20").rect.left(), 2 + 45 + 2);
}

TEST(TableLayout, CentredAndRightAlignedTables) {
    const auto c =
        Lay("<table width=100 align=center cellspacing=0 cellpadding=0><tr><td>"
            "<img src=w1h1></td></tr></table>",
            300);
    EXPECT_EQ(c.image("w1h1").rect.left(), 100);
    const auto r =
        Lay("<table width=100 align=right cellspacing=0 cellpadding=0><tr><td>"
            "<img src=w1h1></td></tr></table>",
            300);
    EXPECT_EQ(r.image("w1h1").rect.left(), 200);
    const auto inCentre =
        Lay("<div align=center><table width=100 cellspacing=0 cellpadding=0>"
            "<tr><td><img src=w1h1></td></tr></table></div>",
            300);
    EXPECT_EQ(inCentre.image("w1h1").rect.left(), 100);
}

TEST(TableLayout, CellsAlignVertically) {
    const auto l =
        Lay("<table cellspacing=0 cellpadding=0><tr><td><img src=w1h40></td>"
            "<td valign=top><img src=w2h10></td><td><img src=w3h10></td>"
            "<td valign=bottom><img src=w4h10></td></tr></table>",
            300);
    EXPECT_EQ(l.image("w2h10").rect.top(), 0);
    EXPECT_EQ(l.image("w3h10").rect.top(), 15);  // middle is the default
    EXPECT_EQ(l.image("w4h10").rect.top(), 30);
}

TEST(TableLayout, BackgroundsFillTableAndCells) {
    const auto l =
        Lay("<table width=370 bgcolor=#CCCCCC cellpadding=6 cellspacing=0><tr>"
            "<td bgcolor=white><img src=w10h10></td></tr></table>",
            377);
    const auto fills = l.of(Fragment::Kind::Fill);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0]->rect, QRectF(0, 0, 370, 22));
    EXPECT_EQ(fills[0]->color, qRgb(0xCC, 0xCC, 0xCC));
    EXPECT_EQ(fills[1]->rect, QRectF(0, 0, 370, 22));
    EXPECT_EQ(fills[1]->color, qRgb(255, 255, 255));
}

TEST(TableLayout, NarrowViewShrinksAutoColumnsToTheirWords) {
    const auto l =
        Lay("<table cellpadding=0 cellspacing=0><tr><td>alpha beta gamma delta epsilon</td>"
            "<td><img src=w60h5></td></tr></table>",
            120);
    EXPECT_EQ(l.image("w60h5").rect.right(), 120);
    for (const Fragment* f : l.of(Fragment::Kind::Text)) EXPECT_LE(f->rect.right(), 60.5);
}

TEST(TableLayout, NestedTables) {
    const auto l =
        Lay("<table cellpadding=0 cellspacing=1><tr><td><table cellpadding=0 cellspacing=1>"
            "<tr><td><img src=w10h10></td></tr></table></td></tr></table>",
            300);
    EXPECT_EQ(l.image("w10h10").rect.topLeft(), QPointF(2, 2));
    EXPECT_EQ(l.result.height, 14);
}

}  // namespace
}  // namespace dorvane::htmlview
