// SPDX-License-Identifier: GPL-3.0-or-later
// Goal board files (.gls): section Goal with every field of the board, section
// Preview with a small JPEG of the composed board as base64 text in pieces.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "compose/goal_board.h"
#include "compose/text_layer.h"
#include "imaging/bitmap.h"

namespace dorvane::boards {

inline constexpr std::size_t kPreviewPieceLength = 2000;
inline constexpr const char* kFirstBuiltInPicture = "Bryce Canyon";

// What reading a board needs to know besides the file.
struct BoardReadContext {
    int screenWidth = 0;
    int screenHeight = 0;
    std::vector<std::string> fontItems;  // the items of cbFont, in order
    // The catalogue's number for a picture name (any case), below 1 when unknown.
    std::function<int(const std::string& name)> findPictureByName;
};

// ScreenWidth and ScreenHeight count only as a pair of whole numbers from 1 to
// this (no screen has a side beyond what X11 can address); anything else counts
// as absent, so the board is taken as styled on the screen it is read for.
inline constexpr int kMaxStyledScreenSide = 32767;
bool IsStyledScreenSize(std::int64_t width, std::int64_t height);

// The value of Name for a file path: its name part without the last four characters.
std::string BoardNameFromPath(const std::filesystem::path& path);

// The file's bytes for a board whose Preview is already made, exactly as writing
// it key by key into an empty file gives them.
std::string BoardFileBytes(const compose::GoalBoard& board, const std::string& name);

// Saves the board with a fresh preview of the composed picture (board.Preview
// receives its text) and the screen size it was composed for (ScreenWidth and
// ScreenHeight: the screen picture's size, which the board then holds too). The file is written
// whole beside the target and then takes its place, so an earlier file survives any failure. Throws
// dorvane::base::Error.
void WriteProjectFile(const std::filesystem::path& path, compose::GoalBoard& board,
                      const imaging::Bitmap& screenPicture, const compose::TextLayer& layer);

// Fills every field of board from the file with the defaults and corrections of
// board files; a missing or unreadable file gives the defaults. Never throws for
// the file's content: whatever an edited file holds, memory stays bounded.
void ReadProjectFile(const std::filesystem::path& path, compose::GoalBoard& board,
                     const BoardReadContext& context);

}  // namespace dorvane::boards
