// SPDX-License-Identifier: GPL-3.0-or-later
// The naming rules of the page images: which resource type a name asks for and
// which bitmap is the pressed face of a button image.
#pragma once

#include <string>
#include <string_view>

namespace dorvane::pages {

// "gif…" → GIF, "bmp…" → BITMAP, otherwise the first three characters upper-cased.
std::string ImageResourceType(std::string_view imageName);
// Whether a page image is a button with a pressed face: "Click" in any letter
// case at its 4th to 8th characters.
bool IsClickImage(std::string_view source);
// "bmp" + the name without its first three and last two characters + "down":
// "gifClickSave_up" → "bmpClickSave_down".
std::string PressedFaceName(std::string_view source);

}  // namespace dorvane::pages
