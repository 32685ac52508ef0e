// SPDX-License-Identifier: GPL-3.0-or-later
// The rounding and letter-case helpers every subsystem relies on.
#include <gtest/gtest.h>

#include "base/ascii.h"
#include "base/rounding.h"

namespace dorvane::base {
namespace {

TEST(Rounding, QuotientsAndRealsRoundAsTheProgramNeeds) {
    struct Row {
        std::int64_t n, d, halfEven, halfAway;
    };
    const Row rows[] = {
        {21, 2, 10, 11},
        {23, 2, 12, 12},
        {5, 2, 2, 3},
        {7, 2, 4, 4},
        {1, 2, 0, 1},
        {3, 2, 2, 2},
        {-5, 2, -2, -3},
        {-7, 2, -4, -4},
        {-1, 2, 0, -1},
        {10, 3, 3, 3},
        {11, 3, 4, 4},
        {-11, 3, -4, -4},
        {5, -2, -2, -3},
        {0, 7, 0, 0},
        {1, 3, 0, 0},
        {2, 3, 1, 1},
        {1600000, 1778, 900, 900},
        {19200, 1080, 18, 18},
        {1599LL * 65536, 3840, 27290, 27290},
        {65535LL * 65536, 65536, 65535, 65535},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.n) + "/" + std::to_string(r.d));
        EXPECT_EQ(DivRoundHalfEven(r.n, r.d), r.halfEven);
        EXPECT_EQ(DivRoundHalfAway(r.n, r.d), r.halfAway);
        EXPECT_EQ(MulDiv(r.n, 1, r.d), r.halfAway);
    }
    const std::pair<double, std::int64_t> reals[] = {{10.5, 10}, {11.5, 12},  {-0.5, 0},
                                                     {-1.5, -2}, {29.34, 29}, {-29.5, -30}};
    for (const auto& [v, want] : reals) EXPECT_EQ(RoundHalfEven(v), want) << v;
}

TEST(AsciiCase, OnlyLettersAToZFoldWhateverTheLocale) {
    struct Row {
        const char *a, *b;
        bool equal, less;
    };
    const Row rows[] = {
        {"plan.gls", "PLAN.GLS", true, false},
        {"Alpha", "beta", false, true},
        {"beta", "Alpha", false, false},
        {"ab", "abc", false, true},
        {"\xc3\xa9", "\xc3\x89", false, false},  // é and É are not ASCII: unchanged
        {"[", "a", false, false},                // '[' sorts after 'A'
        {"", "", true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.a) + " vs " + r.b);
        EXPECT_EQ(EqualsIgnoringAsciiCase(r.a, r.b), r.equal);
        EXPECT_EQ(LessIgnoringAsciiCase(r.a, r.b), r.less);
    }
    EXPECT_EQ(AsciiUpper("My.Beach-ü.jpg"), "MY.BEACH-ü.JPG");
}

}  // namespace
}  // namespace dorvane::base
