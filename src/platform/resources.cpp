// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/resources.h"

#include <algorithm>

#include "base/ascii.h"
#include "base/error.h"

namespace dorvane::platform {
namespace {

const ResourceEntry* Find(std::string_view type, std::string_view name) {
    for (std::size_t i = 0; i < kResourceCount; ++i) {
        const ResourceEntry& e = kResourceTable[i];
        if (base::EqualsIgnoringAsciiCase(e.type, type) &&
            base::EqualsIgnoringAsciiCase(e.name, name))
            return &e;
    }
    return nullptr;
}

}  // namespace

ResourceBytes LoadResource(std::string_view type, std::string_view name) {
    const ResourceEntry* e = Find(type, name);
    if (!e)
        throw base::Error("Resource \"" + std::string(name) + "\" of type " + std::string(type) +
                          " not found");
    return {reinterpret_cast<const std::uint8_t*>(e->begin),
            static_cast<std::size_t>(e->end - e->begin)};
}

bool HasResource(std::string_view type, std::string_view name) {
    return Find(type, name) != nullptr;
}

std::vector<std::string> ResourceNames(std::string_view type) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < kResourceCount; ++i)
        if (base::EqualsIgnoringAsciiCase(kResourceTable[i].type, type))
            names.emplace_back(kResourceTable[i].name);
    return names;
}

}  // namespace dorvane::platform
