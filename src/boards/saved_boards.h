// SPDX-License-Identifier: GPL-3.0-or-later
// The saved boards of the goals folder as page 5 lists and shows them, and the
// file a save goes to. Plain data in and out; the page's widgets only show it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compose/goal_board.h"
#include "imaging/bitmap.h"

namespace dorvane::boards {

// One list entry: the file's name without its last four characters (".gls"),
// and the file's name as it is on disk, byte for byte (it need not be UTF-8).
struct SavedBoardEntry {
    std::string entry;
    std::string fileName;
    friend bool operator==(const SavedBoardEntry&, const SavedBoardEntry&) = default;
};

// The "*.gls" files of the folder (any letter case, files only), in the list's
// order: alphabetical by the person's locale (QCollator), without regard to case.
std::vector<SavedBoardEntry> ListSavedBoards(const std::filesystem::path& folder);

// The name a save proposes: year, month and day, then "Goals" ("2026-12-07-Goals").
std::string DateGoalsName(int year, int month, int day);

// The file a save writes for the path chosen in the dialog: ".gls" added to a
// name without an extension, and an existing file whose name differs only in
// letter case taken instead, so that it is replaced and keeps its spelling.
std::filesystem::path SaveTarget(const std::filesystem::path& chosen);

// The memo's lines: a bullet, a blank and each goal without the characters of
// code 32 or less around it; empty goals leave no line.
std::vector<std::string> MemoLines(const compose::GoalBoard& board);

// The stored preview text decoded, or nothing when it is empty, is not a JPEG
// picture, or claims a size beyond the 182 × 169 box (then nothing is decoded).
std::optional<imaging::Bitmap> DecodeStoredPreview(std::string_view text);

}  // namespace dorvane::boards
