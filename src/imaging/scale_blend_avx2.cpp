// SPDX-License-Identifier: GPL-3.0-or-later
// The blend kernel of scale_blend.h with AVX2. This file alone is compiled with
// -mavx2; BlendRow calls it only where the processor has AVX2.
#include "imaging/scale_plan.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

#include "imaging/scale_blend.h"

namespace dorvane::imaging::detail {
namespace {

struct Avx2 {
    using Vec = __m256i;
    static constexpr std::size_t kLanes = 16;
    static Vec Load(const void* p) { return _mm256_loadu_si256(static_cast<const Vec*>(p)); }
    static Vec Set16(int v) { return _mm256_set1_epi16(static_cast<short>(v)); }
    static Vec Zero() { return _mm256_setzero_si256(); }
    static Vec Add16(Vec a, Vec b) { return _mm256_add_epi16(a, b); }
    static Vec Sub16(Vec a, Vec b) { return _mm256_sub_epi16(a, b); }
    static Vec Xor(Vec a, Vec b) { return _mm256_xor_si256(a, b); }
    static Vec Greater16(Vec a, Vec b) { return _mm256_cmpgt_epi16(a, b); }
    static Vec MulHighUnsigned16(Vec a, Vec b) { return _mm256_mulhi_epu16(a, b); }
    static Vec MulLow16(Vec a, Vec b) { return _mm256_mullo_epi16(a, b); }
    static Vec TopBit16(Vec a) { return _mm256_srli_epi16(a, 15); }
    // Within each 128-bit lane; Pack32 undoes it lane by lane.
    static Vec Low(Vec a, Vec b) { return _mm256_unpacklo_epi16(a, b); }
    static Vec High(Vec a, Vec b) { return _mm256_unpackhi_epi16(a, b); }
    static Vec MulAdd(Vec a, Vec b) { return _mm256_madd_epi16(a, b); }
    static Vec Add32(Vec a, Vec b) { return _mm256_add_epi32(a, b); }
    static Vec Top16Of32(Vec a) { return _mm256_srli_epi32(a, 16); }
    static Vec Pack32(Vec a, Vec b) { return _mm256_packs_epi32(a, b); }
    // Sixteen 16-bit values 0 … 255 stored as bytes.
    static void StoreBytes(std::uint8_t* out, Vec v) {
        const __m128i bytes =
            _mm_packus_epi16(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
    }
};

}  // namespace

void BlendRowAvx2(const ScalePlan& plan, const std::int16_t* aValue, const std::int16_t* aDelta,
                  const std::int16_t* bValue, const std::int16_t* bDelta, std::uint32_t fy,
                  std::uint8_t* out) {
    BlendPairs<Avx2>(plan, aValue, aDelta, bValue, bDelta, fy, out);
}

}  // namespace dorvane::imaging::detail
#endif
