// SPDX-License-Identifier: GPL-3.0-or-later
// The blend kernel of scale_blend.h with SSE2, which every x86-64 processor has.
#include "imaging/scale_plan.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

#include "imaging/scale_blend.h"

namespace dorvane::imaging::detail {
namespace {

struct Sse2 {
    using Vec = __m128i;
    static constexpr std::size_t kLanes = 8;
    static Vec Load(const void* p) { return _mm_loadu_si128(static_cast<const Vec*>(p)); }
    static Vec Set16(int v) { return _mm_set1_epi16(static_cast<short>(v)); }
    static Vec Zero() { return _mm_setzero_si128(); }
    static Vec Add16(Vec a, Vec b) { return _mm_add_epi16(a, b); }
    static Vec Sub16(Vec a, Vec b) { return _mm_sub_epi16(a, b); }
    static Vec Xor(Vec a, Vec b) { return _mm_xor_si128(a, b); }
    static Vec Greater16(Vec a, Vec b) { return _mm_cmpgt_epi16(a, b); }
    static Vec MulHighUnsigned16(Vec a, Vec b) { return _mm_mulhi_epu16(a, b); }
    static Vec MulLow16(Vec a, Vec b) { return _mm_mullo_epi16(a, b); }
    static Vec TopBit16(Vec a) { return _mm_srli_epi16(a, 15); }
    static Vec Low(Vec a, Vec b) { return _mm_unpacklo_epi16(a, b); }
    static Vec High(Vec a, Vec b) { return _mm_unpackhi_epi16(a, b); }
    static Vec MulAdd(Vec a, Vec b) { return _mm_madd_epi16(a, b); }
    static Vec Add32(Vec a, Vec b) { return _mm_add_epi32(a, b); }
    static Vec Top16Of32(Vec a) { return _mm_srli_epi32(a, 16); }
    static Vec Pack32(Vec a, Vec b) { return _mm_packs_epi32(a, b); }
    // Eight 16-bit values 0 … 255 stored as bytes.
    static void StoreBytes(std::uint8_t* out, Vec v) {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(v, v));
    }
};

}  // namespace

void BlendRowSse2(const ScalePlan& plan, const std::int16_t* aValue, const std::int16_t* aDelta,
                  const std::int16_t* bValue, const std::int16_t* bDelta, std::uint32_t fy,
                  std::uint8_t* out) {
    BlendPairs<Sse2>(plan, aValue, aDelta, bValue, bDelta, fy, out);
}

}  // namespace dorvane::imaging::detail
#endif
