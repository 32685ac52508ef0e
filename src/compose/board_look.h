// SPDX-License-Identifier: GPL-3.0-or-later
// The fields of a board that page 4 edits: the text style and the text box. An
// undo step holds the look before and after one change, so undoing restores
// exact values.
#pragma once

#include <cstdint>
#include <string>

#include "compose/goal_board.h"

namespace dorvane::compose {

struct BoardLook {
    std::string FontName;
    std::int32_t FontSize = 0;
    std::uint8_t FontStyle = 0;
    Color FontColor = 0;
    std::uint8_t FontShading = 0;
    std::uint8_t FontAlign = 0;
    std::int32_t TextPosX = 0;
    std::int32_t TextPosY = 0;
    std::int32_t TextWidth = 0;
    friend bool operator==(const BoardLook&, const BoardLook&) = default;
};

BoardLook LookOf(const GoalBoard& board);
void ApplyLook(const BoardLook& look, GoalBoard& board);

}  // namespace dorvane::compose
