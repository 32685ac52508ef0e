// SPDX-License-Identifier: GPL-3.0-or-later
// The product's web addresses, kept in this one place. The page texts in
// resources/pages carry the same addresses (a test keeps the two in step), and the
// online check asks the DNS for kProductHost.
//
// The site lives under the reserved ".example" domain until the product has a
// domain of its own: nobody else can own it, so the in-window browser can never
// show a stranger's page, and the online check reports "offline" (the local
// resources page is shown) instead.
#pragma once

#include <string_view>

namespace dorvane::pages {

inline constexpr std::string_view kProductHost = "www.dorvane.example";
inline constexpr std::string_view kProductWebSite = "https://www.dorvane.example/";
inline constexpr std::string_view kResourcesPageUrl =
    "https://www.dorvane.example/resources.htm#top";
inline constexpr std::string_view kSupportEmail = "support@dorvane.example";
inline constexpr std::string_view kSupportMailLink = "mailto:support@dorvane.example";

}  // namespace dorvane::pages
