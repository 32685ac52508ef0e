// SPDX-License-Identifier: GPL-3.0-or-later
// The program's resources, compiled into the executable (see resources/resources.list).
// Types are "HTML", "GIF", "BITMAP" and "RCDATA"; types and names are matched
// without regard to letter case, so BTN_1_UP finds btn_1_up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dorvane::platform {

struct ResourceEntry {
    const char* type;
    const char* name;
    const unsigned char* begin;
    const unsigned char* end;
};

// Defined by the generated table that each executable links.
extern const ResourceEntry* const kResourceTable;
extern const std::size_t kResourceCount;

using ResourceBytes = std::span<const std::uint8_t>;

// The bytes of a resource; throws dorvane::base::Error naming the resource when missing.
ResourceBytes LoadResource(std::string_view type, std::string_view name);
bool HasResource(std::string_view type, std::string_view name);
// The names of every resource of a type, in list order.
std::vector<std::string> ResourceNames(std::string_view type);

}  // namespace dorvane::platform
