// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/shading.h"

#include <algorithm>
#include <array>

#include "base/rounding.h"

namespace dorvane::compose {
namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// 35 %, 50 %, 65 % and 80 % of 255, rounded.
constexpr std::array<int, 4> kBandOpacities = {89, 128, 166, 204};

int Scaled(int pixelsAt96, int dpi) {
    return static_cast<int>(base::DivRoundHalfAway(std::int64_t{pixelsAt96} * dpi, 96));
}

}  // namespace

Shading ShadingOf(std::uint8_t value) {
    switch (value) {
        case 1:
            return {ShadingKind::Shadow, kBlack};
        case 2:
            return {ShadingKind::Shadow, kWhite};
        case 3:
            return {ShadingKind::Outline, kBlack};
        case 4:
            return {ShadingKind::Outline, kWhite};
        default:
            break;
    }
    if (value >= 5 && value <= 12) {
        const int step = (value - 5) % 4;
        return {ShadingKind::Band, value <= 8 ? kBlack : kWhite,
                kBandOpacities[static_cast<std::size_t>(step)]};
    }
    return {};
}

int OutlineRadius(int dpi) {
    return std::max(2, Scaled(3, dpi));
}

int BandMargin(int em, int dpi) {
    return std::max(Scaled(6, dpi), static_cast<int>(base::DivRoundHalfAway(3LL * em, 10)));
}

}  // namespace dorvane::compose
