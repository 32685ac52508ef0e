// SPDX-License-Identifier: GPL-3.0-or-later
// The resampler's arithmetic written out as plainly as possible, one pixel at a
// time, to check the optimised ScaleBitmap against bit for bit.
#pragma once

#include <cstdint>

#include "imaging/bitmap.h"

namespace dorvane::test {

inline std::int64_t ReferenceMulDiv(std::int64_t p, std::int64_t q, std::int64_t d) {
    const std::int64_t n = p * q;  // all operands here are non-negative
    const std::int64_t quotient = n / d, remainder = n % d;
    return 2 * remainder >= d ? quotient + 1 : quotient;
}

// Same-size copies and the size errors are left to the caller.
inline void ReferenceScale(const imaging::Bitmap& src, imaging::Bitmap& dst) {
    const std::int64_t xStep = ReferenceMulDiv(src.width() - 1, 65536, dst.width());
    const std::int64_t yStep = ReferenceMulDiv(src.height() - 1, 65536, dst.height());
    std::int64_t sy = 0;
    for (int j = 0; j < dst.height(); ++j, sy += yStep) {
        const int iy = static_cast<int>(sy >> 16);
        const std::uint32_t fy = sy & 65535;
        const std::uint8_t* rowA = src.row(iy);
        const std::uint8_t* rowB = iy < src.height() - 1 ? src.row(iy + 1) : src.row(iy);
        const std::uint32_t wA = 65536 - fy, wB = fy + 1;
        std::int64_t sx = 0;
        for (int i = 0; i < dst.width(); ++i, sx += xStep) {
            const int ix = static_cast<int>(sx >> 16);
            const std::uint32_t fx = sx & 65535;
            const int right = ix < src.width() - 1 ? ix + 1 : ix;
            const std::uint32_t a2 = static_cast<std::uint32_t>(ReferenceMulDiv(fx, wA, 65536));
            const std::uint32_t a1 = wA - a2;
            const std::uint32_t b2 = static_cast<std::uint32_t>(ReferenceMulDiv(fx, wB, 65536));
            const std::uint32_t b1 = wB - b2;
            for (int c = 0; c < 3; ++c) {
                const std::uint32_t sum = rowA[3 * ix + c] * a1 + rowA[3 * right + c] * a2 +
                                          rowB[3 * ix + c] * b1 + rowB[3 * right + c] * b2;
                dst.row(j)[3 * i + c] = static_cast<std::uint8_t>(sum >> 16);
            }
        }
    }
}

}  // namespace dorvane::test
