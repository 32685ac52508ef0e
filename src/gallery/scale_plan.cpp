// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/scale_plan.h"

#include <algorithm>

#include "gallery/rounding.h"

namespace dorvane::detail {

ScalePlan MakeScalePlan(int sourceWidth, int sourceHeight, int destWidth, int destHeight) {
    ScalePlan plan;
    // The divisor is the destination's size, not its size minus one: the last
    // destination pixel samples one step before the source's last pixel.
    plan.xStep = MulDiv(sourceWidth - 1, 65536, destWidth);
    plan.yStep = MulDiv(sourceHeight - 1, 65536, destHeight);
    const std::size_t channels = std::size_t{3} * static_cast<std::size_t>(destWidth);
    plan.left.resize(channels);
    plan.right.resize(channels);
    plan.fx.resize(channels);
    const std::int64_t lastColumn = sourceWidth - 1;
    for (int i = 0; i < destWidth; ++i) {
        const std::int64_t sx = std::int64_t{i} * plan.xStep;
        // Clamped like the rows: a rounded-up step may pass the last column.
        const std::int64_t ix = std::min(sx >> 16, lastColumn);
        const std::int64_t right = ix < lastColumn ? ix + 1 : ix;
        for (int c = 0; c < 3; ++c) {
            const std::size_t k = std::size_t{3} * static_cast<std::size_t>(i) + c;
            plan.left[k] = static_cast<std::int32_t>(3 * ix + c);
            plan.right[k] = static_cast<std::int32_t>(3 * right + c);
            plan.fx[k] = static_cast<std::uint32_t>(sx & 65535);
        }
    }
    return plan;
}

void BlendRow(const ScalePlan& plan, const std::int16_t* aValue, const std::int16_t* aDelta,
              const std::int16_t* bValue, const std::int16_t* bDelta, std::uint32_t wA,
              std::uint32_t wB, std::uint8_t* out) {
    const std::uint32_t* fx = plan.fx.data();
    const std::size_t n = plan.fx.size();
    for (std::size_t k = 0; k < n; ++k) {
        // MulDiv(fx, w, 65536) for non-negative operands; fx·w stays below 2^32.
        const std::uint32_t a2 = (fx[k] * wA + 32768) >> 16;
        const std::uint32_t b2 = (fx[k] * wB + 32768) >> 16;
        // Unsigned wrap-around is intended: the exact sum lies in [0, 255·65537].
        const std::uint32_t sum =
            static_cast<std::uint32_t>(aValue[k]) * wA +
            static_cast<std::uint32_t>(bValue[k]) * wB +
            static_cast<std::uint32_t>(static_cast<std::int32_t>(aDelta[k])) * a2 +
            static_cast<std::uint32_t>(static_cast<std::int32_t>(bDelta[k])) * b2;
        out[k] = static_cast<std::uint8_t>(sum >> 16);
    }
}

}  // namespace dorvane::detail
