// SPDX-License-Identifier: GPL-3.0-or-later
// Breaking one goal into lines that fit the text box.
#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace dorvane::compose {

// Advance width in pixels of text.mid(start, length).
using MeasureText = std::function<int(const QString& text, int start, int length)>;
// Estimated advance of one character; any positive estimate works, closer is faster.
using EstimateChar = std::function<int(QChar c)>;

// Leading and trailing blanks and control characters removed.
QString TrimGoal(const QString& text);

// The lines of `goal` (already trimmed) for an available width: each line is the
// longest prefix that fits (at least one character), moved back to its last blank
// when it ends inside a word that goes on, unless the word alone is wider than
// the box; lines are trimmed. Prefix widths are taken to grow with the prefix, so
// the fitting prefix is found by galloping from an estimate and halving, not by
// removing one character at a time: a long line costs O(n log n).
std::vector<QString> BreakGoalLines(const QString& goal, int available, const MeasureText& measure,
                                    const EstimateChar& estimate);

}  // namespace dorvane::compose
