// SPDX-License-Identifier: GPL-3.0-or-later
// Destination rows straight from the two source rows, without expanding them
// first: with AVX-512 byte permutes (VBMI) the samples of sixteen destination
// pixels are picked out of one 64-byte window of each source row. This saves
// writing and re-reading the expanded rows, which costs more than the blend.
#include <algorithm>

#include "gallery/scale_plan.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define DORVANE_X86 1
#endif

namespace dorvane::detail {

namespace {

constexpr int kGroupPixels = 16;
constexpr int kWindow = 64;

// One channel the plain way, from the source bytes; the arithmetic of BlendRow.
void BlendTail(const ScalePlan& plan, const std::uint8_t* rowA, const std::uint8_t* rowB,
               std::uint32_t fy, std::uint8_t* out, std::size_t from) {
    for (std::size_t k = from; k < plan.left.size(); ++k) {
        const std::uint32_t f = plan.fx[k];
        const std::uint32_t p = f * fy;
        const std::uint32_t a2 = f - ((p + 32767) >> 16);
        const std::uint32_t b2 = (p + f + 32768) >> 16;
        const std::uint32_t ea = rowA[plan.left[k]], eb = rowB[plan.left[k]];
        const std::uint32_t da = rowA[plan.right[k]] - ea, db = rowB[plan.right[k]] - eb;
        const std::uint32_t sum = (ea << 16) + eb + (eb - ea) * fy + da * a2 + db * b2;
        out[k] = static_cast<std::uint8_t>(sum >> 16);
    }
}

#ifdef DORVANE_X86
bool HasVbmi() {
    static const bool has =
        __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi");
    return has;
}

constexpr __mmask16 kAll = 0xFFFF;
// Byte 0 of each 32-bit lane: vpermb then yields zero-extended samples.
constexpr __mmask64 kLowBytes = 0x1111111111111111;

__attribute__((target("avx512f"))) inline __m512i ShiftRight16(__m512i x) {
    return _mm512_maskz_srli_epi32(kAll, x, 16);
}

// Sixteen destination pixels (48 channels) a step, the arithmetic of BlendRow:
// sum = A0·65536 + B0 + (B0 − A0)·fy + (A1 − A0)·a2 + (B1 − B0)·b2 in unsigned
// 32-bit lanes, where A0/A1 (B0/B1) are the left/right samples of row A (B).
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void BlendGroups(
    const ScalePlan& plan, const std::uint8_t* rowA, const std::uint8_t* rowB, std::uint32_t fy,
    std::uint8_t* out) {
    const __m512i fyv = _mm512_set1_epi32(static_cast<int>(fy));
    const __m512i c32767 = _mm512_set1_epi32(32767), c32768 = _mm512_set1_epi32(32768);
    // Channel 16q + l of a group belongs to pixel (16q + l) / 3, colour (16q + l) % 3.
    const __m512i spread[3] = {
        _mm512_setr_epi32(0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5),
        _mm512_setr_epi32(5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 10, 10),
        _mm512_setr_epi32(10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14, 15, 15, 15)};
    const __m512i colour[3] = {
        _mm512_setr_epi32(0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0),
        _mm512_setr_epi32(1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1),
        _mm512_setr_epi32(2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2)};
    const std::size_t groups = plan.groupBase.size();
    for (std::size_t g = 0; g < groups; ++g) {
        const std::size_t px = kGroupPixels * g;
        const std::int32_t base = plan.groupBase[g];
        const __m512i windowA = _mm512_loadu_si512(rowA + base);
        const __m512i windowB = _mm512_loadu_si512(rowB + base);
        const __m512i left = _mm512_loadu_si512(&plan.groupLeft[px]);
        const __m512i right = _mm512_loadu_si512(&plan.groupRight[px]);
        const __m512i f = _mm512_loadu_si512(&plan.fxPixel[px]);
        const __m512i p = _mm512_mullo_epi32(f, fyv);
        const __m512i a2 = _mm512_sub_epi32(f, ShiftRight16(_mm512_add_epi32(p, c32767)));
        const __m512i b2 = ShiftRight16(_mm512_add_epi32(_mm512_add_epi32(p, f), c32768));
        for (int q = 0; q < 3; ++q) {
            const __m512i l = _mm512_add_epi32(
                _mm512_maskz_permutexvar_epi32(kAll, spread[q], left), colour[q]);
            const __m512i r = _mm512_add_epi32(
                _mm512_maskz_permutexvar_epi32(kAll, spread[q], right), colour[q]);
            const __m512i ea = _mm512_maskz_permutexvar_epi8(kLowBytes, l, windowA);
            const __m512i eb = _mm512_maskz_permutexvar_epi8(kLowBytes, l, windowB);
            const __m512i ra = _mm512_maskz_permutexvar_epi8(kLowBytes, r, windowA);
            const __m512i rb = _mm512_maskz_permutexvar_epi8(kLowBytes, r, windowB);
            const __m512i a2q = _mm512_maskz_permutexvar_epi32(kAll, spread[q], a2);
            const __m512i b2q = _mm512_maskz_permutexvar_epi32(kAll, spread[q], b2);
            __m512i sum = _mm512_add_epi32(_mm512_maskz_slli_epi32(kAll, ea, 16), eb);
            sum = _mm512_add_epi32(sum, _mm512_mullo_epi32(_mm512_sub_epi32(eb, ea), fyv));
            sum = _mm512_add_epi32(sum, _mm512_mullo_epi32(_mm512_sub_epi32(ra, ea), a2q));
            sum = _mm512_add_epi32(sum, _mm512_mullo_epi32(_mm512_sub_epi32(rb, eb), b2q));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * px + 16 * q),
                             _mm512_maskz_cvtepi32_epi8(kAll, ShiftRight16(sum)));
        }
    }
}
#endif

}  // namespace

void PlanDirect(ScalePlan& plan, int rowBytes) {
    plan.groupBase.clear();
    plan.groupLeft.clear();
    plan.groupRight.clear();
    if (rowBytes < kWindow) return;
    const std::size_t pixels = plan.fxPixel.size();
    const std::size_t groups = pixels / kGroupPixels;
    std::vector<std::int32_t> base(groups), left(groups * kGroupPixels),
        right(groups * kGroupPixels);
    for (std::size_t g = 0; g < groups; ++g) {
        const std::size_t first = 3 * kGroupPixels * g, last = first + 3 * kGroupPixels - 1;
        // Columns only grow from left to right: the group's samples lie between
        // its first left and its last right one.
        const std::int32_t low = std::min(plan.left[first], rowBytes - kWindow);
        if (plan.right[last] - low >= kWindow) return;  // too far apart: expand instead
        base[g] = low;
        for (std::size_t i = 0; i < kGroupPixels; ++i) {
            left[kGroupPixels * g + i] = plan.left[first + 3 * i] - low;
            right[kGroupPixels * g + i] = plan.right[first + 3 * i] - low;
        }
    }
    plan.groupBase = std::move(base);
    plan.groupLeft = std::move(left);
    plan.groupRight = std::move(right);
    plan.direct = true;
}

bool CanBlendDirect(const ScalePlan& plan) {
#ifdef DORVANE_X86
    return plan.direct && VectorsInUse() == Vectors::kAvx512 && HasVbmi();
#else
    (void)plan;
    return false;
#endif
}

void BlendRowDirect(const ScalePlan& plan, const std::uint8_t* rowA, const std::uint8_t* rowB,
                    std::uint32_t fy, std::uint8_t* out) {
#ifdef DORVANE_X86
    BlendGroups(plan, rowA, rowB, fy, out);
#endif
    BlendTail(plan, rowA, rowB, fy, out, 3 * kGroupPixels * plan.groupBase.size());
}

}  // namespace dorvane::detail
