// SPDX-License-Identifier: GPL-3.0-or-later
// The six style lists of page 4 as plain data, and the copies between them and a
// board. The page-4 widgets only mirror this model.
#pragma once

#include <string>
#include <vector>

#include "compose/goal_board.h"

namespace dorvane::compose {

// A fixed drop-down list: its item texts and the selected index (−1: none).
struct ChoiceList {
    std::vector<std::string> items;
    int selected = -1;

    const std::string* selectedText() const;
};

struct StyleControls {
    ChoiceList font;
    ChoiceList style;
    ChoiceList size;
    ChoiceList alignment;
    ChoiceList colour;  // item texts are the colour names; values in kColors
    ChoiceList shading;

    // Every list filled with its fixed items and initial selection; font empty.
    StyleControls();
};

// Fills font from the installed family names: each name equal (exactly, case
// included) to a FontChoices entry, in alphabetical order; selects the first.
void FillFontList(StyleControls& controls, const std::vector<std::string>& installedFamilies);

// Copies the six selections into the board's style fields. A list without a
// selection (possible only after showing an edited board) keeps the board's value.
void ReadStyleControls(const StyleControls& controls, GoalBoard& board);

// Selects the items that show the board's style; no change events are involved.
void ShowBoardStyle(StyleControls& controls, const GoalBoard& board);

// Index of the font item equal to name without regard to ASCII case, or −1.
int FindFontItem(const ChoiceList& font, const std::string& name);

}  // namespace dorvane::compose
