// SPDX-License-Identifier: GPL-3.0-or-later
// The 32 photographs compiled into the program: their display names and the names
// of their resources. The names are fixed for good, because saved goal boards
// name their picture with them.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace dorvane::gallery {

inline constexpr int kBuiltInPictureCount = 32;

// Picture n (1…32) is entry n-1.
extern const std::array<std::string_view, kBuiltInPictureCount> kBuiltInPictureNames;

// The display name of built-in picture n; throws dorvane::base::Error outside 1…32.
std::string_view BuiltInPictureName(int n);

// What built-in picture n shows, in a few words ("A nuthatch on a tree trunk");
// throws dorvane::Error outside 1…32.
std::string_view BuiltInPictureDescription(int n);

// All 32 display names, picture 1 first (what the gallery build lists).
std::vector<std::string> BuiltInPictureNameList();

// RCDATA resource names: "picPhoto"+n, the 1600×1200 photograph, and
// "picThumb"+n, its 95×71 thumbnail; n in decimal without leading zeros.
// Both throw dorvane::base::Error outside 1…32.
std::string BuiltInPhotoResource(int n);
std::string BuiltInThumbResource(int n);

}  // namespace dorvane::gallery
