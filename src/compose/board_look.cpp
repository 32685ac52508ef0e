// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/board_look.h"

namespace dorvane::compose {

BoardLook LookOf(const GoalBoard& b) {
    return {b.FontName,  b.FontSize, b.FontStyle, b.FontColor, b.FontShading,
            b.FontAlign, b.TextPosX, b.TextPosY,  b.TextWidth};
}

void ApplyLook(const BoardLook& look, GoalBoard& b) {
    b.FontName = look.FontName;
    b.FontSize = look.FontSize;
    b.FontStyle = look.FontStyle;
    b.FontColor = look.FontColor;
    b.FontShading = look.FontShading;
    b.FontAlign = look.FontAlign;
    b.TextPosX = look.TextPosX;
    b.TextPosY = look.TextPosY;
    b.TextWidth = look.TextWidth;
}

}  // namespace dorvane::compose
