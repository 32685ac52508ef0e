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

// What each photograph shows (resources/CREDITS.md lists the same): the tooltip
// and the name a screen reader speaks, since the display names are only names.
const std::array<std::string_view, kBuiltInPictureCount> kBuiltInPictureDescriptions = {
    "Autumn trees and a green meadow below a mountain ridge",
    "Dark mountain peaks against a grey sky",
    "A path across a meadow towards rocky, snowy mountains",
    "Autumn maple leaves on the ground",
    "Sunbeams through storm clouds over misty hills",
    "Sunbeams breaking through dark clouds",
    "The sun low over a mountain top",
    "The wooden planks of a pier by a lake",
    "A calm lake at dusk in pink and violet",
    "Cables of a bridge against a blue sky",
    "Storm clouds over a road, seen in passing",
    "Snowy mountain peaks in the evening light",
    "A sunset glowing under dark clouds",
    "Birch trees in the snow",
    "A nuthatch on a tree trunk",
    "A misty blue lake with wooded islands",
    "A stream over rocks in a forest",
    "Rowing boats on a lake shore at sunset",
    "A wooden jetty out to huts over a tropical sea",
    "A footpath through a spruce forest",
    "Dandelion clocks in the evening sun",
    "Evening clouds, dark and lit from below",
    "A kite in a blue sky",
    "Red maple leaves",
    "A jetty in the fog, in black and white",
    "A spruce branch close up",
    "Moss close up",
    "Wild flowers in a meadow",
    "A ladybird on a blade of grass among forget-me-nots",
    "Fir trees in the fog",
    "Green maple leaves in the sunlight",
    "Two dandelion seeds before orange flowers",
};

namespace {

int CheckedNumber(int n) {
    if (n < 1 || n > kBuiltInPictureCount)
        throw base::Error("There is no built-in picture number " + std::to_string(n));
    return n;
}

}  // namespace

std::string_view BuiltInPictureDescription(int n) {
    return kBuiltInPictureDescriptions[static_cast<std::size_t>(CheckedNumber(n) - 1)];
}

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
