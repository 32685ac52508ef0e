// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/board_undo.h"

namespace dorvane::compose {

BoardLook LookOf(const TGoalsProject& b) {
    return {b.FontName,  b.FontSize, b.FontStyle, b.FontColor, b.FontShading,
            b.FontAlign, b.TextPosX, b.TextPosY,  b.TextWidth};
}

void ApplyLook(const BoardLook& look, TGoalsProject& b) {
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

void BoardUndo::record(const BoardLook& before, const BoardLook& after, bool continuesLast) {
    if (before == after || capacity_ == 0) return;
    if (continuesLast && undone_.empty() && !done_.empty() && done_.back().after == before) {
        done_.back().after = after;
        if (done_.back().after == done_.back().before) done_.pop_back();
        return;
    }
    done_.push_back({before, after});
    if (done_.size() > capacity_) done_.pop_front();
    undone_.clear();
}

std::optional<BoardLook> BoardUndo::undo() {
    if (done_.empty()) return std::nullopt;
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    return undone_.back().before;
}

std::optional<BoardLook> BoardUndo::redo() {
    if (undone_.empty()) return std::nullopt;
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    return done_.back().after;
}

void BoardUndo::clear() {
    done_.clear();
    undone_.clear();
}

}  // namespace dorvane::compose
