// SPDX-License-Identifier: GPL-3.0-or-later
// The per-column part of the resampler, worked out once per call: for every
// destination channel the byte offsets of its left and right source samples and
// its fraction fx. Internal to scale.cpp and its tests.
#pragma once

#include <cstdint>
#include <vector>

namespace dorvane::detail {

struct ScalePlan {
    std::int64_t xStep = 0;
    std::int64_t yStep = 0;
    std::vector<std::int32_t> left;   // byte offset of A[ix] for channel k = 3·i + c
    std::vector<std::int32_t> right;  // byte offset of A[right]
    std::vector<std::uint32_t> fx;    // fx of destination column i, repeated for its channels
};

// Source and destination must not be empty.
ScalePlan MakeScalePlan(int sourceWidth, int sourceHeight, int destWidth, int destHeight);

// One destination row from two expanded source rows (value and right-hand
// difference per destination channel) and the vertical weights wA, wB.
void BlendRow(const ScalePlan& plan, const std::int16_t* aValue, const std::int16_t* aDelta,
              const std::int16_t* bValue, const std::int16_t* bDelta, std::uint32_t wA,
              std::uint32_t wB, std::uint8_t* out);

}  // namespace dorvane::detail
