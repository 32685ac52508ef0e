// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/goal_board.h"

namespace dorvane::compose {

GoalBoard NewBoard(int screenWidth) {
    GoalBoard board;
    board.TextPosX = 10;
    board.TextPosY = 10;
    board.TextWidth = screenWidth - 2 * board.TextPosX;
    return board;
}

}  // namespace dorvane::compose
