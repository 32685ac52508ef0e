// SPDX-License-Identifier: GPL-3.0-or-later
// The goals form of page 3: seven edits "goal1" … "goal7" and the "bullets" check
// box, read into the board when the page is left and filled from it on entry.
#pragma once

#include <vector>

#include "compose/goal_board.h"
#include "htmlview/html_view.h"

namespace dorvane::pages {

// The goal number of an input name: its last character as a digit, 0 when that is
// not 1…7 (such an input is left alone).
int GoalNumber(const QString& inputName);

// Edits → Goal[n] (empty ones too), the check box → FontBullets.
void ReadGoalForm(const std::vector<htmlview::FormControl>& form, compose::GoalBoard& board);

// Goal[n] cut to the edit's maximum length, cream background, 8-point Arial; the
// check box shows FontBullets.
void FillGoalForm(const std::vector<htmlview::FormControl>& form, const compose::GoalBoard& board);

// Gives the keyboard focus to the edit whose name ends in 1.
void FocusFirstGoal(const std::vector<htmlview::FormControl>& form);

}  // namespace dorvane::pages
