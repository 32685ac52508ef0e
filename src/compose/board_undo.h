// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo of what page 4 edits: the text style and the text box. Each step
// holds the look before and after one change (a style choice, a whole drag, a
// nudge), so undoing restores exact values.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

#include "compose/goal_board.h"

namespace dorvane::compose {

// The fields of a board that page 4 changes.
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

BoardLook LookOf(const TGoalsProject& board);
void ApplyLook(const BoardLook& look, TGoalsProject& board);

class BoardUndo {
public:
    static constexpr std::size_t kDefaultSteps = 100;
    explicit BoardUndo(std::size_t steps = kDefaultSteps) : capacity_(steps) {}

    // One change as one step; a change to the same look records nothing. A new
    // step forgets what could be redone; beyond the capacity the oldest goes.
    // `continuesLast` (a held arrow key) extends the last step instead, when that
    // step ended at `before`.
    void record(const BoardLook& before, const BoardLook& after, bool continuesLast = false);
    // The look to restore, or nothing when there is no step.
    std::optional<BoardLook> undo();
    std::optional<BoardLook> redo();
    void clear();

    std::size_t undoSteps() const { return done_.size(); }
    std::size_t redoSteps() const { return undone_.size(); }

private:
    struct Step {
        BoardLook before;
        BoardLook after;
    };
    std::size_t capacity_;
    std::deque<Step> done_;
    std::deque<Step> undone_;
};

}  // namespace dorvane::compose
