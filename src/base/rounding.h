// SPDX-License-Identifier: GPL-3.0-or-later
// Integer quotients and real-to-integer conversion with the roundings the program
// uses, computed exactly on 64-bit integers where halves matter.
#pragma once

#include <cmath>
#include <cstdint>

namespace dorvane::base {

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

// numerator ÷ denominator to the nearest integer, exact halves away from zero:
// 5 ÷ 2 → 3, −5 ÷ 2 → −3. The denominator must not be 0.
constexpr std::int64_t DivRoundHalfAway(std::int64_t numerator, std::int64_t denominator) {
    if (denominator < 0) numerator = -numerator, denominator = -denominator;
    const std::int64_t half = denominator / 2;
    // Even denominators reach exactly half, odd ones never do.
    return numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
}

// p × q ÷ d with a 64-bit product, to the nearest integer, halves away from zero.
constexpr std::int64_t MulDiv(std::int64_t p, std::int64_t q, std::int64_t d) {
    return DivRoundHalfAway(p * q, d);
}

// A real number to the nearest integer, exact halves to the even neighbour
// (10.5 → 10, 11.5 → 12, −0.5 → 0).
inline std::int64_t RoundHalfEven(double v) {
    const double f = std::floor(v);
    const double d = v - f;
    double r = f;
    if (d > 0.5 || (d == 0.5 && std::fmod(f, 2.0) != 0.0)) r = f + 1;
    return static_cast<std::int64_t>(r);
}

}  // namespace dorvane::base
