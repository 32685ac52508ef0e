// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/catalogue.h"

#include <algorithm>

#include "base/ascii.h"

namespace dorvane::gallery {

std::string UserPictureName(std::string_view fileName) {
    return base::AsciiUpper(fileName.substr(0, fileName.find('.')));
}

std::int32_t FindPictureByName(const Catalogue& pictures, std::string_view name) {
    const std::string key = base::AsciiUpper(name);
    std::int32_t found = -1;
    for (const PictureInfo& entry : pictures)
        if (base::AsciiUpper(entry.Name) == key) found = entry.Number;
    return found;
}

std::int32_t ClampPictureNumber(std::int32_t n, std::int32_t count) {
    return std::max<std::int32_t>(1, std::min(n, count));
}

std::string UserPictureFileName(const PictureInfo& entry) {
    return entry.FileName.empty() ? entry.Name + ".jpg" : entry.FileName;
}

}  // namespace dorvane::gallery
