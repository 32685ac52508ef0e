// SPDX-License-Identifier: GPL-3.0-or-later
// The gallery catalogue: the numbered list of pictures a goal board can use, the
// built-in photographs first, then the user's JPEG files. Names are what boards
// store; numbers are what the grid, the keys and the loader work with.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dorvane::gallery {

struct PictureInfo {
    std::string Name;
    bool BuiltIn = false;
    std::int32_t Number = 0;
    // A user picture's file in the gallery folder, as listed ("My.Beach.jpg"): the
    // name alone cannot give it back. Empty for built-in pictures.
    std::string FileName = {};
    friend bool operator==(const PictureInfo&, const PictureInfo&) = default;
};

using Catalogue = std::vector<PictureInfo>;

// A user picture's display name: the file name up to its first ".", with the
// ASCII letters upper-cased ("My.Beach.jpg" → "MY").
std::string UserPictureName(std::string_view fileName);

// The number of the entry whose name equals `name` in upper case; the last such
// entry when several match (a user "SUNSET" beats built-in 22); -1 for none.
std::int32_t FindPictureByName(const Catalogue& pictures, std::string_view name);

// 1…count: numbers out of range are clamped, never rejected (1 for an empty list).
std::int32_t ClampPictureNumber(std::int32_t n, std::int32_t count);

// The gallery file of a user entry: the file it was listed from, or, for an entry
// made without one, its name + ".jpg" (found in any letter case).
std::string UserPictureFileName(const PictureInfo& entry);

}  // namespace dorvane::gallery
