// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/page_images.h"

#include "base/ascii.h"
#include "gallery/catalogue.h"

namespace dorvane::pages {

std::string ImageResourceType(std::string_view imageName) {
    const std::string prefix = base::AsciiUpper(imageName.substr(0, 3));
    if (prefix == "GIF") return "GIF";
    if (prefix == "BMP") return "BITMAP";
    return prefix;
}

bool IsClickImage(std::string_view source) {
    return source.size() >= 8 && base::AsciiUpper(source.substr(3, 5)) == "CLICK";
}

std::string PressedFaceName(std::string_view source) {
    const std::string_view middle =
        source.size() >= 5 ? source.substr(3, source.size() - 5) : std::string_view{};
    return "bmp" + std::string(middle) + "down";
}

}  // namespace dorvane::pages
