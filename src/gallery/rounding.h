// SPDX-License-Identifier: GPL-3.0-or-later
// Integer quotients with the two roundings the picture code uses, computed
// exactly on 64-bit integers (no floating point, so no doubtful halves).
#pragma once

#include <cstdint>

namespace dorvane {

// numerator ÷ denominator to the nearest integer, exact halves to the even
// neighbour: 5 ÷ 2 → 2, 7 ÷ 2 → 4, −5 ÷ 2 → −2. The denominator must not be 0.
constexpr std::int64_t DivRoundHalfEven(std::int64_t numerator, std::int64_t denominator) {
    if (denominator < 0) numerator = -numerator, denominator = -denominator;
    std::int64_t q = numerator / denominator;
    std::int64_t r = numerator % denominator;  // same sign as the numerator
    if (r < 0) --q, r += denominator;          // now 0 <= r < denominator, q = floor
    const std::int64_t twice = 2 * r;
    if (twice > denominator || (twice == denominator && (q & 1) != 0)) ++q;
    return q;
}

// p × q ÷ d with a 64-bit product, to the nearest integer, halves away from zero.
// d must not be 0.
constexpr std::int64_t MulDiv(std::int64_t p, std::int64_t q, std::int64_t d) {
    std::int64_t n = p * q;
    if (d < 0) n = -n, d = -d;
    const std::int64_t half = d / 2;
    // Halves away from zero: even d reaches exactly half, odd d never does.
    return n >= 0 ? (n + half) / d : -((-n + half) / d);
}

}  // namespace dorvane
