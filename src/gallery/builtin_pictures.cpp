// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/builtin_pictures.h"

#include "base/error.h"

namespace dorvane::gallery {

// "Piramyd" is spelt so on purpose: boards saved with this name must still find it.
const std::array<std::string_view, kBuiltInPictureCount> kBuiltInPictureNames = {
    "Bryce Canyon",
    "Devils Tower",
    "Devils Tower view",
    "Fall",
    "Grand Canyon 1",
    "Grand Canyon 2",
    "Grand Canyon 3",
    "Grand Canyon 4",
    "Lake Tahoe",
    "Ljubljana",
    "Monument Valley",
    "Mountain Snow",
    "Mountain Sundown",
    "Mountain Winter",
    "Flamingos",
    "Piramyd Lake",
    "River",
    "Sails Egypt",
    "San Diego",
    "Steps",
    "Sunrise",
    "Sunset",
    "Sunset Plane",
    "Sunset Tree",
    "Utah",
    "Yellowstone 1",
    "Yellowstone 2",
    "Yellowstone 3",
    "Yellowstone 4",
    "Yellowstone 5",
    "Yellowstone 6",
    "Yellowstone 7",
};

namespace {

int CheckedNumber(int n) {
    if (n < 1 || n > kBuiltInPictureCount)
        throw base::Error("There is no built-in picture number " + std::to_string(n));
    return n;
}

}  // namespace

std::string_view BuiltInPictureName(int n) {
    return kBuiltInPictureNames[static_cast<std::size_t>(CheckedNumber(n) - 1)];
}

std::vector<std::string> BuiltInPictureNameList() {
    return {kBuiltInPictureNames.begin(), kBuiltInPictureNames.end()};
}

std::string BuiltInPhotoResource(int n) {
    return "picPhoto" + std::to_string(CheckedNumber(n));
}

std::string BuiltInThumbResource(int n) {
    return "picThumb" + std::to_string(CheckedNumber(n));
}

}  // namespace dorvane::gallery
