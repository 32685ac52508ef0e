// SPDX-License-Identifier: GPL-3.0-or-later
// With SSSE3, four pixels (12 bytes) a step go through one byte shuffle of a
// 16-byte load: the loads and the three-byte stores overlap by four bytes, so
// each loop stops while a whole 16 bytes still lies inside both rows and the
// last few pixels take the plain loop.
#include "imaging/channel_order.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define DORVANE_X86 1
#endif

namespace dorvane::imaging {

void detail::SwapRedBluePlain(const std::uint8_t* from, std::uint8_t* to, int width) {
    for (int x = 0; x < width; ++x, from += 3, to += 3) {
        const std::uint8_t red = from[0];
        to[0] = from[2];
        to[1] = from[1];
        to[2] = red;
    }
}

void detail::RgbToBgrxPlain(const std::uint8_t* from, std::uint8_t* to, int width) {
    for (int x = 0; x < width; ++x, from += 3, to += 4) {
        to[0] = from[2];
        to[1] = from[1];
        to[2] = from[0];
        to[3] = 0;
    }
}

#ifdef DORVANE_X86
namespace {

bool HasSsse3() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

__attribute__((target("ssse3"))) int SwapRedBlueSsse3(const std::uint8_t* from, std::uint8_t* to,
                                                      int width) {
    // Bytes 12…15 of each store are rewritten by the next one; they are stored
    // as they were read, so a row can be turned where it lies.
    const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 12, 13, 14, 15);
    int x = 0;
    // Pixels x … x + 3 read and write bytes 3x … 3x + 15: at least six pixels remain.
    for (; x + 6 <= width; x += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 3 * x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 3 * x), _mm_shuffle_epi8(v, order));
    }
    return x;
}

__attribute__((target("ssse3"))) int RgbToBgrxSsse3(const std::uint8_t* from, std::uint8_t* to,
                                                    int width) {
    const auto z = static_cast<char>(0x80);  // a shuffle index that yields 0
    const __m128i order = _mm_setr_epi8(2, 1, 0, z, 5, 4, 3, z, 8, 7, 6, z, 11, 10, 9, z);
    int x = 0;
    for (; x + 6 <= width; x += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 3 * x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 4 * x), _mm_shuffle_epi8(v, order));
    }
    return x;
}

}  // namespace
#endif

void SwapRedBlue(const std::uint8_t* from, std::uint8_t* to, int width) {
    int done = 0;
#ifdef DORVANE_X86
    if (HasSsse3()) done = SwapRedBlueSsse3(from, to, width);
#endif
    detail::SwapRedBluePlain(from + 3 * done, to + 3 * done, width - done);
}

void RgbToBgrx(const std::uint8_t* from, std::uint8_t* to, int width) {
    int done = 0;
#ifdef DORVANE_X86
    if (HasSsse3()) done = RgbToBgrxSsse3(from, to, width);
#endif
    detail::RgbToBgrxPlain(from + 3 * done, to + 4 * done, width - done);
}

}  // namespace dorvane::imaging
