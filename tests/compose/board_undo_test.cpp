// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/board_undo.h"

#include <gtest/gtest.h>

namespace dorvane::compose {
namespace {

BoardLook At(int x) {
    BoardLook look;
    look.TextPosX = x;
    return look;
}

int X(const std::optional<BoardLook>& look) {
    return look ? look->TextPosX : -1;
}

TEST(BoardUndo, StepsGoBackAndForthAndANewStepForgetsTheRedo) {
    BoardUndo undo;
    undo.record(At(0), At(1));
    undo.record(At(1), At(1));  // no change: no step
    undo.record(At(1), At(2));
    EXPECT_EQ(undo.undoSteps(), 2u);
    EXPECT_EQ(X(undo.undo()), 1);
    EXPECT_EQ(X(undo.undo()), 0);
    EXPECT_EQ(X(undo.undo()), -1);
    EXPECT_EQ(X(undo.redo()), 1);
    undo.record(At(1), At(5));
    EXPECT_EQ(X(undo.redo()), -1);
    EXPECT_EQ(X(undo.undo()), 1);
    EXPECT_EQ(X(undo.undo()), 0);
}

TEST(BoardUndo, KeepsItsCapacityDroppingTheOldest) {
    BoardUndo undo(50);
    for (int i = 0; i < 60; ++i) undo.record(At(i), At(i + 1));
    int last = -1;
    while (const auto look = undo.undo()) last = look->TextPosX;
    EXPECT_EQ(last, 10);
    EXPECT_EQ(undo.redoSteps(), 50u);
}

TEST(BoardUndo, AHeldKeyExtendsItsStepOnlyWhenItContinuesIt) {
    struct Row {
        const char* what;
        std::vector<std::pair<int, int>> steps;  // from, to; all but the first continue
        std::vector<int> undone;                 // what the undos give, in order
    };
    const Row rows[] = {
        {"held", {{0, 1}, {1, 2}, {2, 3}}, {0, -1}},
        {"back to where it began", {{0, 1}, {1, 0}}, {-1}},
        {"not from the last end", {{0, 1}, {7, 8}}, {7, 0, -1}},
    };
    for (const Row& r : rows) {
        BoardUndo undo;
        bool first = true;
        for (auto [from, to] : r.steps) {
            undo.record(At(from), At(to), !first);
            first = false;
        }
        for (int expected : r.undone) EXPECT_EQ(X(undo.undo()), expected) << r.what;
    }
}

}  // namespace
}  // namespace dorvane::compose
