// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/scale_plan.h"

#include <algorithm>
#include <atomic>

#include "platform/error.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define DORVANE_X86 1
#endif

#include "gallery/rounding.h"

namespace dorvane::detail {

namespace {

// Blocks of eight channels whose samples fit in a 16-byte window that lies
// inside the row (rowBytes long), so that the load never leaves the row.
void PlanShuffleBlocks(ScalePlan& plan, int rowBytes) {
    const std::size_t count = plan.left.size() / 8;
    plan.blockBase.assign(count, -1);
    plan.blockLeft.assign(16 * count, 0);
    plan.blockRight.assign(16 * count, 0);
    if (rowBytes < 16) return;
    for (std::size_t b = 0; b < count; ++b) {
        const auto first = plan.left.begin() + static_cast<std::ptrdiff_t>(8 * b);
        const auto firstRight = plan.right.begin() + static_cast<std::ptrdiff_t>(8 * b);
        const std::int32_t low = std::min(*std::min_element(first, first + 8), rowBytes - 16);
        const std::int32_t high = *std::max_element(firstRight, firstRight + 8);
        if (high - low >= 16) continue;
        plan.blockBase[b] = low;
        std::uint8_t* left = &plan.blockLeft[16 * b];
        std::uint8_t* right = &plan.blockRight[16 * b];
        for (int i = 0; i < 8; ++i) {
            // Byte 2i takes the sample, byte 2i + 1 becomes 0: eight 16-bit values.
            left[2 * i] = static_cast<std::uint8_t>(first[i] - low);
            right[2 * i] = static_cast<std::uint8_t>(firstRight[i] - low);
            left[2 * i + 1] = right[2 * i + 1] = 0x80;
        }
    }
}

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

#endif

Vectors Best() {
#ifdef DORVANE_X86
    if (__builtin_cpu_supports("avx512bw")) return Vectors::kAvx512;
    if (__builtin_cpu_supports("avx2")) return Vectors::kAvx2;
#endif
    return Vectors::kPlain;
}

std::atomic<Vectors>& Chosen() {
    static std::atomic<Vectors> chosen{Best()};
    return chosen;
}

}  // namespace

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
    PlanShuffleBlocks(plan, 3 * sourceWidth);
    return plan;
}

void ExpandRow(const ScalePlan& plan, const std::uint8_t* row, std::int16_t* value,
               std::int16_t* delta) {
    std::size_t k = 0;
#ifdef DORVANE_X86
    if (Chosen().load(std::memory_order_relaxed) != Vectors::kPlain) {
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

using BlendFunction = void (*)(const std::uint32_t*, std::size_t, const std::int16_t*,
                               const std::int16_t*, const std::int16_t*, const std::int16_t*,
                               std::uint32_t, std::uint8_t*);

void BlendPortable(const std::uint32_t* fx, std::size_t n, const std::int16_t* aValue,
                   const std::int16_t* aDelta, const std::int16_t* bValue,
                   const std::int16_t* bDelta, std::uint32_t fy, std::uint8_t* out) {
    BlendRowBody(fx, n, aValue, aDelta, bValue, bDelta, fy, out);
}

#ifdef DORVANE_X86
__attribute__((target("avx2"))) void BlendAvx2(
    const std::uint32_t* fx, std::size_t n, const std::int16_t* aValue, const std::int16_t* aDelta,
    const std::int16_t* bValue, const std::int16_t* bDelta, std::uint32_t fy, std::uint8_t* out) {
    BlendRowBody(fx, n, aValue, aDelta, bValue, bDelta, fy, out);
}

// Full 512-bit vectors: the multiplications dominate, and they double in width.
__attribute__((target("avx512f,avx512bw,prefer-vector-width=512"))) void BlendAvx512(
    const std::uint32_t* fx, std::size_t n, const std::int16_t* aValue, const std::int16_t* aDelta,
    const std::int16_t* bValue, const std::int16_t* bDelta, std::uint32_t fy, std::uint8_t* out) {
    BlendRowBody(fx, n, aValue, aDelta, bValue, bDelta, fy, out);
}
#endif

}  // namespace

bool VectorsSupported(Vectors vectors) {
#ifdef DORVANE_X86
    switch (vectors) {
        case Vectors::kPlain:
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
    if (!VectorsSupported(vectors)) throw Error("This processor lacks the requested vectors");
    Chosen().store(vectors);
}

Vectors VectorsInUse() {
    return Chosen().load();
}

void BlendRow(const ScalePlan& plan, const std::int16_t* aValue, const std::int16_t* aDelta,
              const std::int16_t* bValue, const std::int16_t* bDelta, std::uint32_t fy,
              std::uint8_t* out) {
    BlendFunction blend = &BlendPortable;
#ifdef DORVANE_X86
    switch (Chosen().load(std::memory_order_relaxed)) {
        case Vectors::kAvx512:
            blend = &BlendAvx512;
            break;
        case Vectors::kAvx2:
            blend = &BlendAvx2;
            break;
        case Vectors::kPlain:
            break;
    }
#endif
    blend(plan.fx.data(), plan.fx.size(), aValue, aDelta, bValue, bDelta, fy, out);
}

}  // namespace dorvane::detail
