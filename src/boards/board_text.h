// SPDX-License-Identifier: GPL-3.0-or-later
// Which bytes a board file holds for the program's UTF-8 text, and back. Files
// stay Windows-1252, as they always were, when every character maps to it; any
// other text is written as UTF-8 behind a byte-order mark, so no goal is lost.
#pragma once

#include <string>
#include <string_view>

namespace dorvane::boards {

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

// Windows-1252 bytes when every character maps, otherwise the UTF-8 mark and the
// text (malformed sequences replaced).
std::string EncodeBoardText(std::string_view utf8);

// A UTF-8 or UTF-16 little-endian mark selects that decoding; no mark means
// Windows-1252. Always valid UTF-8; at most three bytes per byte of input.
std::string DecodeBoardText(std::string_view bytes);

}  // namespace dorvane::boards
