// SPDX-License-Identifier: GPL-3.0-or-later
// Destination rows straight from the two source rows, without expanding them
// first: with AVX-512 byte permutes (VBMI) the samples of 32 destination
// channels are picked out of one 128-byte window of each source row. This saves
// writing and re-reading the expanded rows, which costs as much as the blend.
#include <algorithm>

#include "imaging/scale_plan.h"

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

// The weight pairs of the two multiply-adds below for sixteen destination
// pixels of fractions f, as 16-bit halves of 32-bit words:
// (fy − 32768, a2 − 32768) and (b2 − 32768, −32768). For v in 0 … 65535,
// v − 32768 in 16 bits is v ^ 0x8000.
struct Weights {
    __m512i first, second;
};

__attribute__((target("avx512f"))) inline Weights WeightsOf(__m512i f, std::uint32_t fy) {
    const __m512i p = _mm512_mullo_epi32(f, _mm512_set1_epi32(static_cast<int>(fy)));
    const __m512i a2 = _mm512_sub_epi32(
        f, _mm512_maskz_srli_epi32(kAll16, _mm512_add_epi32(p, _mm512_set1_epi32(32767)), 16));
    const __m512i b2 = _mm512_maskz_srli_epi32(
        kAll16, _mm512_add_epi32(_mm512_add_epi32(p, f), _mm512_set1_epi32(32768)), 16);
    const auto fyPart = static_cast<int>(0x80000000u | ((fy - 32768) & 0xFFFF));
    return {_mm512_xor_si512(_mm512_maskz_slli_epi32(kAll16, a2, 16), _mm512_set1_epi32(fyPart)),
            _mm512_xor_si512(b2, _mm512_set1_epi32(static_cast<int>(0x80008000u)))};
}

// Lane j of the low (high) half of an interleave of 32 channels is channel
// 8·(j / 4) + j % 4 (+ 4). Block q of three (96 channels, 32 pixels) starts at
// channel 32·q, so that channel belongs to pixel (32·q + channel) / 3 of the 32.
struct Spread {
    alignas(64) std::int32_t index[3][2][16];
    constexpr Spread() : index{} {
        for (int q = 0; q < 3; ++q)
            for (int half = 0; half < 2; ++half)
                for (int j = 0; j < 16; ++j)
                    index[q][half][j] = (32 * q + 8 * (j / 4) + 4 * half + j % 4) / 3;
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
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void BlendBlocks(const ScalePlan& plan,
                                                                        const std::uint8_t* rowA,
                                                                        const std::uint8_t* rowB,
                                                                        const std::uint32_t* fy,
                                                                        std::uint8_t* const* out) {
    const __m512i zero = _mm512_setzero_si512();
    const std::size_t blocks = plan.directBase.size();
    const std::size_t pixels = plan.fxPixel.size();
    // Three blocks, 32 pixels, a step; the weights are worked out once a pixel.
    for (std::size_t first = 0; first < blocks; first += 3) {
        const std::size_t pixel = 32 * first / 3;
        const std::size_t count = std::min<std::size_t>(32, pixels - pixel);
        // The last group may hold fewer pixels: load only those.
        const auto mask = [](std::size_t n) {
            return static_cast<__mmask16>(n >= 16 ? 0xFFFF : (1u << n) - 1);
        };
        const __m512i f0 = _mm512_maskz_loadu_epi32(mask(count), &plan.fxPixel[pixel]);
        const __m512i f1 =
            count > 16 ? _mm512_maskz_loadu_epi32(mask(count - 16), &plan.fxPixel[pixel + 16])
                       : zero;
        Weights low[Rows], high[Rows];
        for (int r = 0; r < Rows; ++r)
            low[r] = WeightsOf(f0, fy[r]), high[r] = WeightsOf(f1, fy[r]);
        for (std::size_t q = 0; q < 3 && first + q < blocks; ++q) {
            const std::size_t b = first + q, channel = 32 * b;
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

            __m512i base[2], pairs1[2], pairs2[2], spread[2];
            for (int half = 0; half < 2; ++half) {
                spread[half] = _mm512_load_si512(kSpread.index[q][half]);
                base[half] = Interleave(half, b0, zero);
                pairs1[half] = Interleave(half, vertical, rightA);
                pairs2[half] = Interleave(half, rightB, rights);
            }
            for (int r = 0; r < Rows; ++r) {
                __m512i sums[2];
                for (int half = 0; half < 2; ++half) {
                    const __m512i w1 = _mm512_maskz_permutex2var_epi32(kAll16, low[r].first,
                                                                       spread[half], high[r].first);
                    const __m512i w2 = _mm512_maskz_permutex2var_epi32(
                        kAll16, low[r].second, spread[half], high[r].second);
                    const __m512i s1 = _mm512_maskz_madd_epi16(kAll16, pairs1[half], w1);
                    const __m512i s2 = _mm512_maskz_madd_epi16(kAll16, pairs2[half], w2);
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
                     int rows, const std::uint32_t* fy, std::uint8_t* const* out) {
#ifdef DORVANE_X86
    if (rows == 2)
        BlendBlocks<2>(plan, rowA, rowB, fy, out);
    else
        BlendBlocks<1>(plan, rowA, rowB, fy, out);
#endif
    for (int r = 0; r < rows; ++r)
        BlendTail(plan, rowA, rowB, fy[r], out[r], 32 * plan.directBase.size());
}

}  // namespace dorvane::detail
