// SPDX-License-Identifier: GPL-3.0-or-later
// The headless "render" command: composes a saved board exactly as its wallpaper
// would look on a screen of a given size, without a display.
//   dorvane render BOARD.gls --size WIDTHxHEIGHT [--dpi N] [--gallery DIR] -o FILE
#pragma once

#include <QGuiApplication>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/error.h"
#include "compose/goal_board.h"
#include "compose/text_layer.h"
#include "imaging/bitmap.h"

namespace dorvane::app {

struct RenderOptions {
    std::filesystem::path board;
    int width = 0;
    int height = 0;
    int dpi = 96;
    std::filesystem::path gallery;  // empty: the program's own gallery folder
    std::filesystem::path output;
    bool report = false;  // --report: print the readability of what was rendered
    // Where a board that does not say its screen counts as styled (0: at
    // width x height); its box is read against that size, then scaled.
    int styledWidth = 0;
    int styledHeight = 0;
};

// The largest side of a screen a board is composed for: 8K screens are 7680 x 4320,
// and 8192 x 8192 takes about half a gigabyte to compose.
inline constexpr int kMaxRenderSide = 8192;

// "WIDTHxHEIGHT" (or "X"), each side from 1 to kMaxRenderSide.
bool ParseRenderSize(std::string_view text, int& width, int& height);

// A board file that cannot be composed at all: missing, unreadable, not a regular
// file, or no goal board (no [Goal] section: random bytes, an empty file).
class BoardFileError : public base::Error {
public:
    using base::Error::Error;
};

// The text with its line breaks made blanks: a failure is said on one line, even
// for a file whose name holds a line break.
std::string OneLine(std::string text);

// Throws BoardFileError unless the file is a goal board that can be read.
void CheckBoardFile(const std::filesystem::path& board);

// Arguments after "render". The string alternative is the one-line complaint.
std::variant<RenderOptions, std::string> ParseRenderArguments(const std::vector<std::string>& args);

// A --size value read into width and height; the complaint when it is not a
// size a board can be composed at, empty otherwise.
std::string ParseBoardSize(const std::string& text, int& width, int& height);

// Whether a board can be composed at that size: the screen picture needs two
// rows, and so does its preview (the screen fitted into 353 × 262), with a column.
bool IsComposableSize(int width, int height);

// The board composed at options.width × options.height: its picture from the
// built-in gallery or the gallery folder, cropped and scaled to the screen, with
// its text over it. What the reading rules stood in for (a picture the gallery
// lacks, a gallery folder that does not exist) goes to warnings, one line each.
// Needs a QGuiApplication; throws BoardFileError for a board it cannot use and
// dorvane::base::Error for other failures.
imaging::Bitmap RenderBoardPicture(const RenderOptions& options,
                                   std::vector<std::string>* warnings = nullptr);

// A saved board as read for composing, with its picture at full size.
struct BoardSource {
    compose::GoalBoard board;
    imaging::Bitmap photo;
};
BoardSource LoadBoardSource(const RenderOptions& options,
                            std::vector<std::string>* warnings = nullptr);

// The same board before the text is laid over the picture: what "set as
// background" writes (compose::WriteComposedBmpFile) without a composed copy.
struct BoardLayers {
    imaging::Bitmap screen;
    compose::TextLayer layer;
    compose::GoalBoard board;  // as read and drawn
};
BoardLayers RenderBoardLayers(const RenderOptions& options,
                              std::vector<std::string>* warnings = nullptr);

// Throws dorvane::base::Error when writing the output would destroy something: the
// board itself (the same file, through links too) or anything but a regular file.
void CheckRenderOutput(const RenderOptions& options);

// Writes a .bmp (24-bit) or .png file, whole or not at all; throws dorvane::base::Error.
void WriteRenderedPicture(const std::filesystem::path& path, const imaging::Bitmap& picture);

// A QGuiApplication for a headless command, none when one exists already. Qt's own
// notes (no runtime folder and the like) would muddle the one line of a failure,
// so only fatal ones get through, and a platform that cannot start ends the
// process with one line and status 1. The offscreen platform needs no display.
std::unique_ptr<QGuiApplication> MakeCommandApplication(char* programName, bool offscreen);

// The command with the arguments after "render". Returns the exit status: 0 done,
// 1 failed, 2 bad arguments or a board that cannot be used (no output is written).
int RunRenderCommand(const std::vector<std::string>& args, char* programName);

}  // namespace dorvane::app
