// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/channel_order.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace dorvane::imaging;

namespace {

std::vector<std::uint8_t> RandomBytes(std::size_t n, std::mt19937& rng) {
    std::vector<std::uint8_t> bytes(n);
    for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(rng());
    return bytes;
}

// Widths around the four-pixel steps and the six pixels the vector loop needs,
// and a screen row; every byte past the row must stay as it was.
constexpr int kWidths[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 17, 31, 33, 1001, 3840};
constexpr std::size_t kGuard = 32;

TEST(ChannelOrder, SwapRedBlueMatchesThePlainLoopAndStaysInTheRow) {
    std::mt19937 rng(5);
    for (const int width : kWidths) {
        const auto bytes = static_cast<std::size_t>(3 * width);
        const std::vector<std::uint8_t> from = RandomBytes(bytes + kGuard, rng);
        std::vector<std::uint8_t> fast = RandomBytes(bytes + kGuard, rng), plain = fast;
        SwapRedBlue(from.data(), fast.data(), width);
        detail::SwapRedBluePlain(from.data(), plain.data(), width);
        ASSERT_EQ(fast, plain) << width;
        if (width > 0) {
            EXPECT_EQ(fast[0], from[2]) << width;
        }
        // In place, and back again: twice is the original row.
        std::vector<std::uint8_t> row = from;
        SwapRedBlue(row.data(), row.data(), width);
        EXPECT_TRUE(std::equal(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(bytes),
                               plain.begin()))
            << width;
        SwapRedBlue(row.data(), row.data(), width);
        EXPECT_EQ(row, from) << width;
    }
}

TEST(ChannelOrder, RgbToBgrxMatchesThePlainLoopAndStaysInTheRow) {
    std::mt19937 rng(6);
    for (const int width : kWidths) {
        const std::vector<std::uint8_t> from = RandomBytes(3 * width + kGuard, rng);
        std::vector<std::uint8_t> fast = RandomBytes(4 * width + kGuard, rng), plain = fast;
        RgbToBgrx(from.data(), fast.data(), width);
        detail::RgbToBgrxPlain(from.data(), plain.data(), width);
        ASSERT_EQ(fast, plain) << width;
        if (width > 0) {
            EXPECT_EQ(fast[2], from[0]);
            EXPECT_EQ(fast[3], 0);
        }
    }
}

}  // namespace
