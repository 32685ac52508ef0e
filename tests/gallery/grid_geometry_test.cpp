// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/grid_geometry.h"

#include <gtest/gtest.h>

#include <Qt>

using namespace dorvane::gallery;

TEST(GridGeometry, RowsAndColumnsOfTheWorkedLayout) {
    EXPECT_EQ(RowLeft(372), 20);
    struct Row {
        int n;
        GridPoint at;
    };
    const Row rows[] = {{1, {20, 12}},   {2, {130, 12}},   {3, {240, 12}},   {4, {20, 95}},
                        {7, {20, 178}},  {31, {20, 842}},  {32, {130, 842}}, {33, {240, 842}},
                        {34, {20, 925}}, {100, {20, 2751}}};
    for (const Row& r : rows) EXPECT_EQ(ThumbnailPosition(r.n, 372), r.at) << r.n;
}

TEST(GridGeometry, ContentOfThirtyTwoPicturesIs938High) {
    EXPECT_EQ(SpacerTop(32), 925);
    EXPECT_EQ(ContentHeight(32), 938);
    EXPECT_EQ(ContentHeight(33), 938);  // 33 still fills row 11
    EXPECT_EQ(ContentHeight(34), 1021);
    EXPECT_EQ(SpacerTop(0), 12);
}

TEST(GridGeometry, SelectionFrameSurroundsTheThumbnail) {
    EXPECT_EQ(SelectionFrame({20, 12}), (GridRect{15, 7, 104, 80}));
    EXPECT_EQ(SelectionFrame({130, 842}), (GridRect{125, 837, 104, 80}));
}

TEST(ScrollPositionFor, WorkedValuesWithThirtyTwoPictures) {
    struct Row {
        int n, position;
    };
    const Row rows[] = {{1, 0},    {4, 0},    {6, 0}, {7, 83}, {10, 166}, {30, 664},
                        {31, 677}, {32, 677}, {0, 0}, {-3, 0}, {99, 677}};
    for (const Row& r : rows) EXPECT_EQ(ScrollPositionFor(r.n, 32, 261), r.position) << r.n;
}

TEST(ScrollPositionFor, GrowsWithUserPictures) {
    EXPECT_EQ(ContentHeight(100) - 261, 2586);
    EXPECT_EQ(ScrollPositionFor(100, 100, 261), 2586);
    EXPECT_EQ(ScrollPositionFor(34, 100, 261), 830);
    EXPECT_EQ(ScrollPositionFor(1, 0, 261), 0);
    EXPECT_EQ(ScrollPositionFor(3, 3, 261), 0);  // content shorter than the view
}

TEST(ArrowStep, ArrowsMoveOneOrARowOthersNothing) {
    EXPECT_EQ(ArrowStep(Qt::Key_Left), -1);
    EXPECT_EQ(ArrowStep(Qt::Key_Up), -3);
    EXPECT_EQ(ArrowStep(Qt::Key_Right), 1);
    EXPECT_EQ(ArrowStep(Qt::Key_Down), 3);
    EXPECT_EQ(ArrowStep(Qt::Key_A), 0);
    EXPECT_EQ(ArrowStep(Qt::Key_PageDown), 0);
}
