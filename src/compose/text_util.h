// SPDX-License-Identifier: GPL-3.0-or-later
// Small text helpers shared by the board code: ASCII case folding, rounding.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace dorvane::compose {

inline char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

inline std::string AsciiUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = AsciiUpper(c);
    return out;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return true;
}

// Nearest integer, exact halves to the even neighbour (10.5 -> 10, 11.5 -> 12).
inline std::int64_t RoundHalfEven(double v) {
    const double f = std::floor(v);
    const double d = v - f;
    double r = f;
    if (d > 0.5 || (d == 0.5 && std::fmod(f, 2.0) != 0.0)) r = f + 1;
    return static_cast<std::int64_t>(r);
}

}  // namespace dorvane::compose
