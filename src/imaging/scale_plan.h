// SPDX-License-Identifier: GPL-3.0-or-later
// The per-column part of the resampler, worked out once per call: for every
// destination channel the byte offsets of its left and right source samples and
// its fraction fx. Internal to scale.cpp and its tests.
#pragma once

#include <cstdint>
#include <vector>

#include "base/threads.h"
#include "imaging/bitmap.h"

namespace dorvane::imaging::detail {

struct ScalePlan {
    std::int64_t xStep = 0;
    std::int64_t yStep = 0;
    std::vector<std::int32_t> left;      // byte offset of A[ix] for channel k = 3·i + c
    std::vector<std::int32_t> right;     // byte offset of A[right]
    std::vector<std::uint32_t> fx;       // fx of destination column i, repeated for its channels
    std::vector<std::uint32_t> fxPixel;  // fx of destination column i, once
    std::vector<std::uint16_t> fx16;     // fx again in 16 bits, for the 16-bit kernels
    // Blocks of eight channels, 8·b … 8·b + 7, whose left and right samples lie
    // within 16 source bytes from blockBase[b] (−1: too far apart, fetched one by
    // one): one unaligned load and two byte shuffles with the 16-byte masks
    // blockLeft/blockRight[16·b …] fetch them as eight 16-bit values each.
    std::vector<std::int32_t> blockBase;
    std::vector<std::uint8_t> blockLeft;
    std::vector<std::uint8_t> blockRight;
    // The same for blocks of 32 channels within 64 source bytes (byte permutes of
    // AVX-512 VBMI): wideBase[w], and 64-byte masks wideLeft/wideRight[64·w …].
    std::vector<std::int32_t> wideBase;
    std::vector<std::uint8_t> wideLeft;
    std::vector<std::uint8_t> wideRight;
    // Blocks of 32 channels within a 128-byte window from directBase[d], with
    // 64-byte masks directLeft/directRight[64·d …] (two-table byte permutes).
    // `direct` is set only when every whole block fits (scale_direct.cpp).
    bool direct = false;
    std::vector<std::int32_t> directBase;
    std::vector<std::uint8_t> directLeft;
    std::vector<std::uint8_t> directRight;
};

// The instruction sets the row loops can use. The best one the processor has is
// chosen at start; tests switch to each supported one to check it bit for bit
// against the plain loops, the reference.
enum class Vectors { kPlain, kSse2, kAvx2, kAvx512 };
bool VectorsSupported(Vectors vectors);
void UseVectors(Vectors vectors);  // throws dorvane::base::Error when unsupported
Vectors VectorsInUse();

// ScaleBitmap with the destination's rows shared out over up to `threads` threads;
// with fewer (none can be started) the calling thread does the rest. A failure
// on any of them is thrown here.
void ScaleBitmapOnThreads(const Bitmap& source, Bitmap& destination, int threads,
                          const base::ThreadStarter& start = base::StartThread);

// Source and destination must not be empty.
ScalePlan MakeScalePlan(int sourceWidth, int sourceHeight, int destWidth, int destHeight);

// Source row `row` at destination width: value[k] = row[left[k]] and
// delta[k] = row[right[k]] − row[left[k]].
void ExpandRow(const ScalePlan& plan, const std::uint8_t* row, std::int16_t* value,
               std::int16_t* delta);

// One destination row from two expanded source rows (value and right-hand
// difference per destination channel) and the row's vertical fraction fy.
void BlendRow(const ScalePlan& plan, const std::int16_t* aValue, const std::int16_t* aDelta,
              const std::int16_t* bValue, const std::int16_t* bDelta, std::uint32_t fy,
              std::uint8_t* out);

// BlendRow's kernels in 16-bit lanes (scale_blend.h), for the processors that
// have the instructions.
void BlendRowSse2(const ScalePlan& plan, const std::int16_t* aValue, const std::int16_t* aDelta,
                  const std::int16_t* bValue, const std::int16_t* bDelta, std::uint32_t fy,
                  std::uint8_t* out);
void BlendRowAvx2(const ScalePlan& plan, const std::int16_t* aValue, const std::int16_t* aDelta,
                  const std::int16_t* bValue, const std::int16_t* bDelta, std::uint32_t fy,
                  std::uint8_t* out);

// Blocks of `width` channels whose samples lie in a `window` bytes of the row
// (rowBytes long) from bases[b] (−1: too far apart); byte 2i of mask block b
// picks channel i's sample, byte 2i + 1 is 0x80.
void PlanBlocks(const ScalePlan& plan, int rowBytes, int width, int window,
                std::vector<std::int32_t>& bases, std::vector<std::uint8_t>& leftMasks,
                std::vector<std::uint8_t>& rightMasks);

// Fills the direct blocks above for rows of rowBytes; MakeScalePlan calls it.
void PlanDirect(ScalePlan& plan, int rowBytes);

// Whether BlendRowDirect may be used for this plan with the vectors in use.
bool CanBlendDirect(const ScalePlan& plan);

// One or two (`rows`) destination rows out[r] of vertical fractions fy[r], all
// between source rows A (iy) and B (iy + 1, or iy on the last row), straight
// from the source rows without expanding them; only when CanBlendDirect(plan).
void BlendRowsDirect(const ScalePlan& plan, const std::uint8_t* rowA, const std::uint8_t* rowB,
                     int rows, const std::uint32_t* fy, std::uint8_t* const* out);

}  // namespace dorvane::imaging::detail
