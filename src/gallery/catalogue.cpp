// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/catalogue.h"

#include <algorithm>

namespace dorvane::gallery {

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string UserPictureName(std::string_view fileName) {
    return UpperAscii(fileName.substr(0, fileName.find('.')));
}

std::int32_t FindPictureByName(const Catalogue& pictures, std::string_view name) {
    const std::string key = UpperAscii(name);
    std::int32_t found = -1;
    for (const TImgInfo& entry : pictures)
        if (UpperAscii(entry.Name) == key) found = entry.Number;
    return found;
}

std::int32_t ClampPictureNumber(std::int32_t n, std::int32_t count) {
    return std::max<std::int32_t>(1, std::min(n, count));
}

std::string UserPictureFileName(const TImgInfo& entry) {
    return entry.Name + ".jpg";
}

}  // namespace dorvane::gallery
