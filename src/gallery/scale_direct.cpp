// SPDX-License-Identifier: GPL-3.0-or-later
// Destination rows straight from the two source rows, without expanding them
// first: with AVX-512 byte permutes (VBMI) the samples of 32 destination
// channels are picked out of one 128-byte window of each source row. This saves
// writing and re-reading the expanded rows, which costs as much as the blend.
#include <algorithm>

#include "gallery/scale_plan.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define DORVANE_X86 1
#endif

namespace dorvane::detail {

namespace {

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

// The intrinsics are the masked forms with every lane selected: GCC warns about
// the unmasked ones' deliberately undefined pass-through.
constexpr __mmask16 kAll16 = 0xFFFF;
constexpr __mmask32 kAll32 = 0xFFFFFFFF;
// The even bytes: byte permutes then yield zero-extended 16-bit samples.
constexpr __mmask64 kEvenBytes = 0x5555555555555555;

// Per destination pixel, the weight pairs of the two multiply-adds below as
// 16-bit halves of a 32-bit word: (fy − 32768, a2 − 32768) and (b2 − 32768, −32768).
__attribute__((target("avx512f,avx512bw"))) void PixelWeights(const ScalePlan& plan,
                                                              std::uint32_t fy,
                                                              std::uint32_t* first,
                                                              std::uint32_t* second) {
    const std::size_t pixels = plan.fxPixel.size();
    const std::uint32_t fyPart = (fy - 32768) & 0xFFFF;
    for (std::size_t i = 0; i < pixels; ++i) {
        const std::uint32_t f = plan.fxPixel[i];
        const std::uint32_t p = f * fy;
        const std::uint32_t a2 = f - ((p + 32767) >> 16);
        const std::uint32_t b2 = (p + f + 32768) >> 16;
        first[i] = fyPart | ((a2 - 32768) << 16);
        second[i] = ((b2 - 32768) & 0xFFFF) | 0x80000000u;
    }
}

// Lane j of the low (high) half of an interleave of 32 channels is channel
// 8·(j / 4) + j % 4 (+ 4). With the block's first channel `phase` channels into
// pixel 0, that channel belongs to pixel (phase + channel) / 3.
struct Spread {
    alignas(64) std::int32_t index[3][2][16];
    constexpr Spread() : index{} {
        for (int phase = 0; phase < 3; ++phase)
            for (int half = 0; half < 2; ++half)
                for (int j = 0; j < 16; ++j)
                    index[phase][half][j] = (phase + 8 * (j / 4) + 4 * half + j % 4) / 3;
    }
};
constexpr Spread kSpread;

// 16-bit values of x and y alternately: the low (half 0) or high four of each
// 128-bit lane's eight.
__attribute__((target("avx512f,avx512bw"))) inline __m512i Interleave(int half, __m512i x,
                                                                      __m512i y) {
    return half == 0 ? _mm512_maskz_unpacklo_epi16(kAll32, x, y)
                     : _mm512_maskz_unpackhi_epi16(kAll32, x, y);
}

// 32 channels a step in 16-bit lanes, for one or two destination rows that
// share the source rows (the samples are picked and subtracted once for both).
// With F = fy − 32768, A2 = a2 − 32768 and B2 = b2 − 32768 (all within 16 bits),
//   A0·65536 + B0 + (B0 − A0)·fy + (A1 − A0)·a2 + (B1 − B0)·b2
//     = B0 + (B0 − A0)·F + (A1 − A0)·A2 + (B1 − B0)·B2 + 32768·(A1 + B1)
// exactly (the 32768 multiples of the three differences add up to
// 32768·(A1 + B1) − 65536·A0). The right side is two 16-bit multiply-adds:
// (B0 − A0, A1 − A0)·(F, A2) and (B1 − B0, −A1 − B1)·(B2, −32768); every
// product and partial sum stays far inside 32 bits.
template <int Rows>
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void BlendBlocks(
    const ScalePlan& plan, const std::uint8_t* rowA, const std::uint8_t* rowB,
    const std::uint32_t* const* first, const std::uint32_t* const* second,
    std::uint8_t* const* out) {
    const __m512i zero = _mm512_setzero_si512();
    const std::size_t blocks = plan.directBase.size();
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::uint8_t* a = rowA + plan.directBase[b];
        const std::uint8_t* bb = rowB + plan.directBase[b];
        const __m512i aLow = _mm512_loadu_si512(a), aHigh = _mm512_loadu_si512(a + 64);
        const __m512i bLow = _mm512_loadu_si512(bb), bHigh = _mm512_loadu_si512(bb + 64);
        const __m512i li = _mm512_loadu_si512(&plan.directLeft[64 * b]);
        const __m512i ri = _mm512_loadu_si512(&plan.directRight[64 * b]);
        const __m512i a0 = _mm512_maskz_permutex2var_epi8(kEvenBytes, aLow, li, aHigh);
        const __m512i a1 = _mm512_maskz_permutex2var_epi8(kEvenBytes, aLow, ri, aHigh);
        const __m512i b0 = _mm512_maskz_permutex2var_epi8(kEvenBytes, bLow, li, bHigh);
        const __m512i b1 = _mm512_maskz_permutex2var_epi8(kEvenBytes, bLow, ri, bHigh);
        const __m512i vertical = _mm512_sub_epi16(b0, a0);
        const __m512i rightA = _mm512_sub_epi16(a1, a0);
        const __m512i rightB = _mm512_sub_epi16(b1, b0);
        const __m512i rights = _mm512_sub_epi16(_mm512_sub_epi16(zero, a1), b1);

        const std::size_t channel = 32 * b, pixel = channel / 3;
        const std::size_t phase = channel - 3 * pixel;
        __m512i base[2], pairs1[2], pairs2[2], spread[2];
        for (int half = 0; half < 2; ++half) {
            spread[half] = _mm512_load_si512(kSpread.index[phase][half]);
            base[half] = Interleave(half, b0, zero);
            pairs1[half] = Interleave(half, vertical, rightA);
            pairs2[half] = Interleave(half, rightB, rights);
        }
        for (int r = 0; r < Rows; ++r) {
            const __m512i w1 = _mm512_loadu_si512(first[r] + pixel);
            const __m512i w2 = _mm512_loadu_si512(second[r] + pixel);
            __m512i sums[2];
            for (int half = 0; half < 2; ++half) {
                const __m512i s1 = _mm512_maskz_madd_epi16(
                    kAll16, pairs1[half], _mm512_maskz_permutexvar_epi32(kAll16, spread[half], w1));
                const __m512i s2 = _mm512_maskz_madd_epi16(
                    kAll16, pairs2[half], _mm512_maskz_permutexvar_epi32(kAll16, spread[half], w2));
                sums[half] = _mm512_maskz_srli_epi32(
                    kAll16, _mm512_add_epi32(base[half], _mm512_add_epi32(s1, s2)), 16);
            }
            // Packing the two halves lane by lane restores the channel order.
            const __m512i packed = _mm512_maskz_packus_epi32(kAll32, sums[0], sums[1]);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out[r] + channel),
                                _mm512_maskz_cvtepi16_epi8(kAll32, packed));
        }
    }
}
#endif

}  // namespace

void PlanDirect(ScalePlan& plan, int rowBytes) {
    PlanBlocks(plan, rowBytes, 32, 128, plan.directBase, plan.directLeft, plan.directRight);
    plan.direct = rowBytes >= 128 && std::find(plan.directBase.begin(), plan.directBase.end(),
                                               -1) == plan.directBase.end();
}

bool CanBlendDirect(const ScalePlan& plan) {
#ifdef DORVANE_X86
    return plan.direct && VectorsInUse() == Vectors::kAvx512 && HasVbmi();
#else
    (void)plan;
    return false;
#endif
}

void BlendRowsDirect(const ScalePlan& plan, const std::uint8_t* rowA, const std::uint8_t* rowB,
                     int rows, const std::uint32_t* fy, std::uint8_t* const* out,
                     DirectScratch& scratch) {
#ifdef DORVANE_X86
    // 16 words of slack: the blocks load sixteen pixels' weights at a time.
    const std::size_t words = plan.fxPixel.size() + 16;
    if (scratch.first.size() < 2 * words)
        scratch.first.assign(2 * words, 0), scratch.second.assign(2 * words, 0);
    const std::uint32_t* first[2] = {scratch.first.data(), scratch.first.data() + words};
    const std::uint32_t* second[2] = {scratch.second.data(), scratch.second.data() + words};
    for (int r = 0; r < rows; ++r)
        PixelWeights(plan, fy[r], scratch.first.data() + r * words,
                     scratch.second.data() + r * words);
    if (rows == 2)
        BlendBlocks<2>(plan, rowA, rowB, first, second, out);
    else
        BlendBlocks<1>(plan, rowA, rowB, first, second, out);
#else
    (void)scratch;
#endif
    for (int r = 0; r < rows; ++r)
        BlendTail(plan, rowA, rowB, fy[r], out[r], 32 * plan.directBase.size());
}

}  // namespace dorvane::detail
