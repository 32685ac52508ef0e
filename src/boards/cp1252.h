// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1252, the single-byte code page of board files, at the file boundary:
// the program holds UTF-8 inside.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dorvane::boards {

// Characters outside the code page become "?"; malformed UTF-8 bytes too.
std::string Utf8ToCp1252(std::string_view utf8);
// The code-page bytes when every character maps to one, otherwise nothing.
std::optional<std::string> Utf8ToCp1252Exactly(std::string_view utf8);
// The five bytes the code page leaves undefined map to the C1 controls of the same value.
std::string Cp1252ToUtf8(std::string_view bytes);

}  // namespace dorvane::boards
