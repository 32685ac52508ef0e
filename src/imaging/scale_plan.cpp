// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/scale_plan.h"

#include <algorithm>
#include <atomic>

#include "base/error.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define DORVANE_X86 1
#endif

#include "base/rounding.h"

namespace dorvane::imaging::detail {

namespace {

void ExpandScalar(const ScalePlan& plan, const std::uint8_t* row, std::int16_t* value,
                  std::int16_t* delta, std::size_t from, std::size_t to) {
    for (std::size_t k = from; k < to; ++k) {
        const std::int16_t v = row[plan.left[k]];
        value[k] = v;
        delta[k] = static_cast<std::int16_t>(row[plan.right[k]] - v);
    }
}

#ifdef DORVANE_X86
bool HasSsse3() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

__attribute__((target("ssse3"))) void ExpandBlocksSsse3(const ScalePlan& plan,
                                                        const std::uint8_t* row,
                                                        std::int16_t* value, std::int16_t* delta,
                                                        std::size_t from, std::size_t to) {
    for (std::size_t b = from; b < to; ++b) {
        const std::int32_t base = plan.blockBase[b];
        if (base < 0) {
            ExpandScalar(plan, row, value, delta, 8 * b, 8 * b + 8);
            continue;
        }
        const auto load = [](const void* p) {
            return _mm_loadu_si128(static_cast<const __m128i*>(p));
        };
        const __m128i bytes = load(row + base);
        const __m128i left = _mm_shuffle_epi8(bytes, load(&plan.blockLeft[16 * b]));
        const __m128i right = _mm_shuffle_epi8(bytes, load(&plan.blockRight[16 * b]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(value + 8 * b), left);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(delta + 8 * b), _mm_sub_epi16(right, left));
    }
}

bool HasVbmi() {
    static const bool has = __builtin_cpu_supports("avx512vbmi");
    return has;
}

// Blocks of 32 channels: one 64-byte load and two byte permutes each; blocks
// whose samples lie too far apart go through the 8-channel path.
__attribute__((target("avx512f,avx512bw,avx512vbmi,ssse3"))) void ExpandBlocksVbmi(
    const ScalePlan& plan, const std::uint8_t* row, std::int16_t* value, std::int16_t* delta) {
    const std::size_t count = plan.wideBase.size();
    for (std::size_t b = 0; b < count; ++b) {
        const std::int32_t base = plan.wideBase[b];
        if (base < 0) {
            ExpandBlocksSsse3(plan, row, value, delta, 4 * b, 4 * b + 4);
            continue;
        }
        const __m512i bytes = _mm512_loadu_si512(row + base);
        // Odd bytes, the high halves of the 16-bit values, come out zero.
        constexpr __mmask64 kEven = 0x5555555555555555;
        const __m512i l =
            _mm512_maskz_permutexvar_epi8(kEven, _mm512_loadu_si512(&plan.wideLeft[64 * b]), bytes);
        const __m512i r = _mm512_maskz_permutexvar_epi8(
            kEven, _mm512_loadu_si512(&plan.wideRight[64 * b]), bytes);
        _mm512_storeu_si512(value + 32 * b, l);
        _mm512_storeu_si512(delta + 32 * b, _mm512_maskz_sub_epi16(~__mmask32{0}, r, l));
    }
    ExpandBlocksSsse3(plan, row, value, delta, 4 * count, plan.blockBase.size());
}

#endif

Vectors Best() {
#ifdef DORVANE_X86
    if (__builtin_cpu_supports("avx512bw")) return Vectors::kAvx512;
    if (__builtin_cpu_supports("avx2")) return Vectors::kAvx2;
    return Vectors::kSse2;
#else
    return Vectors::kPlain;
#endif
}

std::atomic<Vectors>& Chosen() {
    static std::atomic<Vectors> chosen{Best()};
    return chosen;
}

}  // namespace

// The window lies inside the row, so that its load never leaves the row.
void PlanBlocks(const ScalePlan& plan, int rowBytes, int width, int windowBytes,
                std::vector<std::int32_t>& bases, std::vector<std::uint8_t>& leftMasks,
                std::vector<std::uint8_t>& rightMasks) {
    const auto n = static_cast<std::size_t>(width), window = static_cast<std::size_t>(windowBytes);
    const std::size_t count = plan.left.size() / n;
    bases.assign(count, -1);
    leftMasks.assign(2 * n * count, 0);
    rightMasks.assign(2 * n * count, 0);
    if (rowBytes < static_cast<int>(window)) return;
    for (std::size_t b = 0; b < count; ++b) {
        const auto first = plan.left.begin() + static_cast<std::ptrdiff_t>(n * b);
        const auto firstRight = plan.right.begin() + static_cast<std::ptrdiff_t>(n * b);
        const auto last = static_cast<std::ptrdiff_t>(n);
        const std::int32_t low = std::min(*std::min_element(first, first + last),
                                          rowBytes - static_cast<std::int32_t>(window));
        const std::int32_t high = *std::max_element(firstRight, firstRight + last);
        if (high - low >= static_cast<std::int32_t>(window)) continue;
        bases[b] = low;
        std::uint8_t* left = &leftMasks[2 * n * b];
        std::uint8_t* right = &rightMasks[2 * n * b];
        for (std::size_t i = 0; i < n; ++i) {
            left[2 * i] = static_cast<std::uint8_t>(first[static_cast<std::ptrdiff_t>(i)] - low);
            right[2 * i] =
                static_cast<std::uint8_t>(firstRight[static_cast<std::ptrdiff_t>(i)] - low);
            left[2 * i + 1] = right[2 * i + 1] = 0x80;
        }
    }
}

ScalePlan MakeScalePlan(int sourceWidth, int sourceHeight, int destWidth, int destHeight) {
    ScalePlan plan;
    // The divisor is the destination's size, not its size minus one: the last
    // destination pixel samples one step before the source's last pixel.
    plan.xStep = base::MulDiv(sourceWidth - 1, 65536, destWidth);
    plan.yStep = base::MulDiv(sourceHeight - 1, 65536, destHeight);
    const std::size_t channels = std::size_t{3} * static_cast<std::size_t>(destWidth);
    plan.left.resize(channels);
    plan.right.resize(channels);
    plan.fx.resize(channels);
    plan.fxPixel.resize(static_cast<std::size_t>(destWidth));
    plan.fx16.resize(channels);
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
            plan.fx16[k] = static_cast<std::uint16_t>(sx & 65535);
        }
        plan.fxPixel[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(sx & 65535);
    }
    PlanBlocks(plan, 3 * sourceWidth, 8, 16, plan.blockBase, plan.blockLeft, plan.blockRight);
    PlanBlocks(plan, 3 * sourceWidth, 32, 64, plan.wideBase, plan.wideLeft, plan.wideRight);
    PlanDirect(plan, 3 * sourceWidth);
    return plan;
}

void ExpandRow(const ScalePlan& plan, const std::uint8_t* row, std::int16_t* value,
               std::int16_t* delta) {
    std::size_t k = 0;
#ifdef DORVANE_X86
    const Vectors vectors = Chosen().load(std::memory_order_relaxed);
    if (vectors == Vectors::kAvx512 && HasVbmi()) {
        ExpandBlocksVbmi(plan, row, value, delta);
        k = plan.blockBase.size() * 8;
    } else if (vectors != Vectors::kPlain && HasSsse3()) {
        ExpandBlocksSsse3(plan, row, value, delta, 0, plan.blockBase.size());
        k = plan.blockBase.size() * 8;
    }
#endif
    ExpandScalar(plan, row, value, delta, k, plan.left.size());
}

namespace {

// With P = fx·fy the two horizontal splits need one product between them:
//   a2 = ⌊(fx·(65536 − fy) + 32768) / 65536⌋ = fx − ⌊(P + 32767) / 65536⌋
//   b2 = ⌊(fx·(fy + 1) + 32768) / 65536⌋     = ⌊(P + fx + 32768) / 65536⌋
// and the vertical weights fold into one: A·wA + B·wB = A·65536 + B + (B − A)·fy.
// Every quantity stays below 2^32; differences wrap harmlessly in unsigned arithmetic.
// The loop is plain C++ that the compiler vectorises for each instruction set below.
[[gnu::always_inline]] inline void BlendRowBody(
    const std::uint32_t* fx, std::size_t n, const std::int16_t* aValue, const std::int16_t* aDelta,
    const std::int16_t* bValue, const std::int16_t* bDelta, std::uint32_t fy, std::uint8_t* out) {
    for (std::size_t k = 0; k < n; ++k) {
        const std::uint32_t f = fx[k];
        const std::uint32_t p = f * fy;
        const std::uint32_t a2 = f - ((p + 32767) >> 16);
        const std::uint32_t b2 = (p + f + 32768) >> 16;
        const auto ea = static_cast<std::uint32_t>(static_cast<std::int32_t>(aValue[k]));
        const auto eb = static_cast<std::uint32_t>(static_cast<std::int32_t>(bValue[k]));
        const auto da = static_cast<std::uint32_t>(static_cast<std::int32_t>(aDelta[k]));
        const auto db = static_cast<std::uint32_t>(static_cast<std::int32_t>(bDelta[k]));
        const std::uint32_t sum = (ea << 16) + eb + (eb - ea) * fy + da * a2 + db * b2;
        out[k] = static_cast<std::uint8_t>(sum >> 16);
    }
}

void BlendPortable(const std::uint32_t* fx, std::size_t n, const std::int16_t* aValue,
                   const std::int16_t* aDelta, const std::int16_t* bValue,
                   const std::int16_t* bDelta, std::uint32_t fy, std::uint8_t* out) {
    BlendRowBody(fx, n, aValue, aDelta, bValue, bDelta, fy, out);
}

#ifdef DORVANE_X86
// The AVX-512 intrinsics below are the masked forms with every lane selected:
// GCC 12 warns about the unmasked ones' deliberately undefined pass-through.
constexpr __mmask16 kAll = 0xFFFF;

// Sixteen 16-bit values widened to 32 bits.
__attribute__((target("avx512f,avx512bw"))) inline __m512i Load16(const std::int16_t* p) {
    return _mm512_maskz_cvtepi16_epi32(kAll,
                                       _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)));
}

// x >> 16 in each lane.
__attribute__((target("avx512f"))) inline __m512i ShiftRight16(__m512i x) {
    return _mm512_maskz_srli_epi32(kAll, x, 16);
}

// Sixteen pixels (48 channels) at a time: a2 and b2 are worked out once a pixel
// and spread to its three channels with permutes; the rest as in BlendRowBody.
__attribute__((target("avx512f,avx512bw"))) void BlendAvx512(
    const std::uint32_t* fx, const std::uint32_t* fxPixel, std::size_t n,
    const std::int16_t* aValue, const std::int16_t* aDelta, const std::int16_t* bValue,
    const std::int16_t* bDelta, std::uint32_t fy, std::uint8_t* out) {
    const __m512i fyv = _mm512_set1_epi32(static_cast<int>(fy));
    const __m512i c32767 = _mm512_set1_epi32(32767), c32768 = _mm512_set1_epi32(32768);
    // Channel 16q + l of a block belongs to pixel (16q + l) / 3.
    const __m512i spread[3] = {
        _mm512_setr_epi32(0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5),
        _mm512_setr_epi32(5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 10, 10),
        _mm512_setr_epi32(10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14, 15, 15, 15)};
    std::size_t k = 0;
    for (; k + 48 <= n; k += 48) {
        const __m512i f = _mm512_loadu_si512(fxPixel + k / 3);
        const __m512i p = _mm512_mullo_epi32(f, fyv);
        const __m512i a2 = _mm512_sub_epi32(f, ShiftRight16(_mm512_add_epi32(p, c32767)));
        const __m512i b2 = ShiftRight16(_mm512_add_epi32(_mm512_add_epi32(p, f), c32768));
        for (int q = 0; q < 3; ++q) {
            const std::size_t at = k + 16 * static_cast<std::size_t>(q);
            const __m512i ea = Load16(aValue + at), eb = Load16(bValue + at);
            const __m512i da = Load16(aDelta + at), db = Load16(bDelta + at);
            const __m512i a2q = _mm512_maskz_permutexvar_epi32(kAll, spread[q], a2);
            const __m512i b2q = _mm512_maskz_permutexvar_epi32(kAll, spread[q], b2);
            __m512i sum = _mm512_add_epi32(_mm512_maskz_slli_epi32(kAll, ea, 16), eb);
            sum = _mm512_add_epi32(sum, _mm512_mullo_epi32(_mm512_sub_epi32(eb, ea), fyv));
            sum = _mm512_add_epi32(sum, _mm512_mullo_epi32(da, a2q));
            sum = _mm512_add_epi32(sum, _mm512_mullo_epi32(db, b2q));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at),
                             _mm512_maskz_cvtepi32_epi8(kAll, ShiftRight16(sum)));
        }
    }
    BlendRowBody(fx + k, n - k, aValue + k, aDelta + k, bValue + k, bDelta + k, fy, out + k);
}
#endif

}  // namespace

bool VectorsSupported(Vectors vectors) {
#ifdef DORVANE_X86
    switch (vectors) {
        case Vectors::kPlain:
        case Vectors::kSse2:
            return true;
        case Vectors::kAvx2:
            return __builtin_cpu_supports("avx2") && HasSsse3();
        case Vectors::kAvx512:
            return __builtin_cpu_supports("avx512bw") && HasSsse3();
    }
    return false;
#else
    return vectors == Vectors::kPlain;
#endif
}

void UseVectors(Vectors vectors) {
    if (!VectorsSupported(vectors)) throw base::Error("This processor lacks the requested vectors");
    Chosen().store(vectors);
}

Vectors VectorsInUse() {
    return Chosen().load();
}

void BlendRow(const ScalePlan& plan, const std::int16_t* aValue, const std::int16_t* aDelta,
              const std::int16_t* bValue, const std::int16_t* bDelta, std::uint32_t fy,
              std::uint8_t* out) {
#ifdef DORVANE_X86
    switch (Chosen().load(std::memory_order_relaxed)) {
        case Vectors::kAvx512:
            BlendAvx512(plan.fx.data(), plan.fxPixel.data(), plan.fx.size(), aValue, aDelta, bValue,
                        bDelta, fy, out);
            return;
        case Vectors::kAvx2:
            BlendRowAvx2(plan, aValue, aDelta, bValue, bDelta, fy, out);
            return;
        case Vectors::kSse2:
            BlendRowSse2(plan, aValue, aDelta, bValue, bDelta, fy, out);
            return;
        case Vectors::kPlain:
            break;
    }
#endif
    BlendPortable(plan.fx.data(), plan.fx.size(), aValue, aDelta, bValue, bDelta, fy, out);
}

}  // namespace dorvane::imaging::detail
