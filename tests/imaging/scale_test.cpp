// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/scale.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <system_error>
#include <thread>

#include "base/error.h"
#include "imaging/scale_plan.h"
#include "scale_reference.h"

using namespace dorvane;
using namespace dorvane::imaging;
using dorvane::test::ReferenceScale;

namespace {

Bitmap RandomBitmap(int width, int height, std::mt19937& rng) {
    Bitmap b(width, height);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < 3 * width; ++x) b.row(y)[x] = static_cast<std::uint8_t>(byte(rng));
    return b;
}

void ExpectSameAsReference(const Bitmap& src, int width, int height) {
    Bitmap fast(width, height), slow(width, height);
    ScaleBitmap(src, fast);
    ReferenceScale(src, slow);
    ASSERT_TRUE(fast == slow) << src.width() << "x" << src.height() << " -> " << width << "x"
                              << height;
}

// Runs check once with each instruction set the processor has, then goes back.
template <typename Check>
void OnEveryVectorUnit(Check check) {
    const detail::Vectors before = detail::VectorsInUse();
    for (detail::Vectors v : {detail::Vectors::kPlain, detail::Vectors::kSse2,
                              detail::Vectors::kAvx2, detail::Vectors::kAvx512}) {
        if (!detail::VectorsSupported(v)) continue;
        detail::UseVectors(v);
        SCOPED_TRACE("vectors " + std::to_string(static_cast<int>(v)));
        check();
    }
    detail::UseVectors(before);
}

}  // namespace

TEST(ScaleBitmap, SameSizeIsAnExactCopy) {
    std::mt19937 rng(1);
    const Bitmap thumb = RandomBitmap(95, 71, rng);
    Bitmap out(95, 71);
    ScaleBitmap(thumb, out);
    EXPECT_TRUE(out == thumb);
    // Even a single row is copied: the size rule applies only to resampling.
    const Bitmap line = RandomBitmap(7, 1, rng);
    Bitmap lineOut(7, 1);
    ScaleBitmap(line, lineOut);
    EXPECT_TRUE(lineOut == line);
}

TEST(ScaleBitmap, MatchesTheReferenceOnRandomSizes) {
    OnEveryVectorUnit([] {
        std::mt19937 rng(2026);
        std::uniform_int_distribution<int> side(1, 90);
        for (int round = 0; round < 150; ++round) {
            const Bitmap src = RandomBitmap(side(rng), side(rng), rng);
            ExpectSameAsReference(src, side(rng), std::max(2, side(rng)));
        }
    });
}

TEST(ScaleBitmap, MatchesTheReferenceOnNarrowAndEqualSides) {
    std::mt19937 rng(7);
    const int sizes[][4] = {
        {1, 5, 9, 7},   {1, 1, 4, 3},     {2, 2, 4, 4},   {2, 9, 1000, 3}, {3, 3, 3, 5},
        {5, 5, 5, 2},   {8, 4, 8, 13},    {17, 1, 40, 2}, {40, 30, 1, 2},  {40, 30, 2, 2},
        {64, 48, 3, 2}, {33, 21, 33, 20}, {9, 9, 2, 2},   {1, 60, 1, 200}, {100, 2, 7, 2},
    };
    OnEveryVectorUnit([&] {
        for (const auto& s : sizes)
            ExpectSameAsReference(RandomBitmap(s[0], s[1], rng), s[2], s[3]);
    });
}

TEST(ScaleBitmap, EachVectorKernelBlendsRowsAsThePlainLoop) {
    // Rows of 1 to 1001 pixels (the vector loops take 8 to 48 channels a step and
    // leave the rest to a plain tail), fractions at and around their edges, and
    // the extreme samples and differences: 0 and 255, ±255.
    struct Case {
        int pixels;
        std::uint32_t fy;
        int extreme;  // 0: random samples; 1: all 255 with differences −255; 2: alternating
    };
    const Case cases[] = {
        {1, 0, 0},     {2, 65535, 0},  {3, 32768, 0},  {5, 32767, 1},    {6, 1, 2},
        {7, 32769, 0}, {11, 12345, 1}, {16, 65535, 2}, {17, 40000, 0},   {21, 0, 1},
        {33, 1, 0},    {48, 65534, 2}, {101, 777, 0},  {1001, 65535, 1}, {1001, 30001, 0},
    };
    std::mt19937 rng(17);
    const detail::Vectors before = detail::VectorsInUse();
    for (const Case& c : cases) {
        const auto n = static_cast<std::size_t>(3 * c.pixels);
        detail::ScalePlan plan;
        plan.fx.resize(n);
        plan.fx16.resize(n);
        plan.fxPixel.resize(static_cast<std::size_t>(c.pixels));
        const std::uint32_t edges[] = {0, 1, 32767, 32768, 32769, 65534, 65535};
        for (std::size_t i = 0; i < plan.fxPixel.size(); ++i) {
            const std::uint32_t f = i < std::size(edges) ? edges[i] : rng() & 65535;
            plan.fxPixel[i] = f;
            for (std::size_t k = 3 * i; k < 3 * i + 3; ++k)
                plan.fx[k] = f, plan.fx16[k] = static_cast<std::uint16_t>(f);
        }
        std::vector<std::int16_t> rows[4];  // aValue, aDelta, bValue, bDelta
        for (auto& r : rows) r.resize(n);
        for (std::size_t k = 0; k < n; ++k) {
            int a0 = static_cast<int>(rng() & 255), a1 = static_cast<int>(rng() & 255);
            int b0 = static_cast<int>(rng() & 255), b1 = static_cast<int>(rng() & 255);
            if (c.extreme == 1) a0 = b0 = 255, a1 = b1 = 0;
            if (c.extreme == 2) a0 = b1 = (k % 2) * 255, a1 = b0 = 255 - a0;
            rows[0][k] = static_cast<std::int16_t>(a0);
            rows[1][k] = static_cast<std::int16_t>(a1 - a0);
            rows[2][k] = static_cast<std::int16_t>(b0);
            rows[3][k] = static_cast<std::int16_t>(b1 - b0);
        }
        const auto blend = [&] {
            std::vector<std::uint8_t> out(n + 16, 0xA5);  // bytes past the row stay
            detail::BlendRow(plan, rows[0].data(), rows[1].data(), rows[2].data(), rows[3].data(),
                             c.fy, out.data());
            return out;
        };
        detail::UseVectors(detail::Vectors::kPlain);
        const std::vector<std::uint8_t> plain = blend();
        for (detail::Vectors v :
             {detail::Vectors::kSse2, detail::Vectors::kAvx2, detail::Vectors::kAvx512}) {
            if (!detail::VectorsSupported(v)) continue;
            detail::UseVectors(v);
            EXPECT_EQ(blend(), plain)
                << c.pixels << " pixels, fy " << c.fy << ", vectors " << static_cast<int>(v);
        }
    }
    detail::UseVectors(before);
}

TEST(ScaleBitmap, MatchesTheReferenceOnScreenSizesAcrossThreads) {
    // Large enough to be split over threads; the bands must join seamlessly.
    OnEveryVectorUnit([] {
        std::mt19937 rng(3);
        const Bitmap src = RandomBitmap(160, 90, rng);
        ExpectSameAsReference(src, 1024, 600);
        ExpectSameAsReference(src, 601, 577);
        ExpectSameAsReference(RandomBitmap(1200, 700, rng), 353, 199);
    });
}

TEST(ScaleBitmap, ScreenEnlargementsTakeTheDirectRowsAndMatchTheReference) {
    // Enlargements by 2.4 and 1.2 (a 1600x900 photograph on 4K and full-HD
    // screens) blend straight from the source rows where the processor allows;
    // strong reductions fall back to expanded rows. Both must give the same picture.
    EXPECT_TRUE(detail::MakeScalePlan(1600, 900, 3840, 2160).direct);
    EXPECT_TRUE(detail::MakeScalePlan(1600, 900, 1920, 1080).direct);
    EXPECT_FALSE(detail::MakeScalePlan(1600, 1200, 95, 71).direct);
    OnEveryVectorUnit([] {
        std::mt19937 rng(11);
        const Bitmap src = RandomBitmap(400, 225, rng);
        ExpectSameAsReference(src, 960, 540);
        ExpectSameAsReference(src, 481, 271);  // a partial block at each row's end
        // Blocks go in threes (32 pixels); the last three may be one or two short.
        ExpectSameAsReference(src, 500, 281);
        ExpectSameAsReference(src, 510, 290);
        // Extremes of the samples: the sums reach 255·65537.
        Bitmap stark(97, 61);
        for (int y = 0; y < stark.height(); ++y)
            for (int x = 0; x < stark.width(); ++x)
                stark.setPixel(x, y, ((x + y) % 3 == 0) ? 0xFFFFFF : (x % 2 ? 0xFF00FF : 0));
        ExpectSameAsReference(stark, 333, 187);
    });
}

TEST(ScaleBitmap, AnyNumberOfThreadsGivesTheSamePicture) {
    // Bands of rows are handed out to threads as they come free; wherever a band
    // starts, its first rows must come out as if one thread had done them all.
    std::mt19937 rng(9);
    const Bitmap src = RandomBitmap(37, 23, rng);
    for (const auto& [w, h] : {std::pair{101, 67}, {16, 200}, {20, 9}}) {
        Bitmap want(w, h);
        ReferenceScale(src, want);
        for (int threads : {1, 2, 3, 5, 64}) {
            Bitmap got(w, h);
            detail::ScaleBitmapOnThreads(src, got, threads);
            ASSERT_TRUE(got == want) << w << "x" << h << " on " << threads << " threads";
        }
        // No thread can be started: the calling thread does all the rows.
        Bitmap alone(w, h);
        detail::ScaleBitmapOnThreads(src, alone, 8, [](std::function<void()>) -> std::jthread {
            throw std::system_error(
                std::make_error_code(std::errc::resource_unavailable_try_again));
        });
        ASSERT_TRUE(alone == want) << w << "x" << h << " without threads";
    }
}

TEST(ScaleBitmap, SizesComingBackAfterOthersStillMatchTheReference) {
    // Column plans are kept for the last few sizes; sizes that return after
    // more others than are kept, in turns, must each get their own plan.
    std::mt19937 rng(12);
    const Bitmap a = RandomBitmap(61, 40, rng), b = RandomBitmap(40, 61, rng);
    const std::pair<int, int> sizes[] = {{150, 100}, {70, 45}, {151, 100},
                                         {150, 101}, {30, 20}, {150, 99}};
    for (int round = 0; round < 2; ++round)
        for (const auto& [w, h] : sizes) {
            ExpectSameAsReference(a, w, h);
            ExpectSameAsReference(b, w, h);
        }
}

TEST(ScaleBitmap, OneColumnSourceRepeatsThatColumn) {
    std::mt19937 rng(4);
    const Bitmap src = RandomBitmap(1, 6, rng);
    Bitmap out(9, 6);
    ScaleBitmap(src, out);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x) {
            // Rows still interpolate vertically; every column is the same.
            EXPECT_EQ(out.pixel(x, y), out.pixel(0, y));
        }
    EXPECT_EQ(out.pixel(0, 0), src.pixel(0, 0));
}

TEST(ScaleBitmap, TopLeftOfTwoByTwoIntoFourByFourIsTheSourcePixel) {
    Bitmap src(2, 2);
    src.setPixel(0, 0, 0x102030);
    src.setPixel(1, 0, 0xFFFFFF);
    src.setPixel(0, 1, 0x000000);
    src.setPixel(1, 1, 0x808080);
    Bitmap out(4, 4);
    ScaleBitmap(src, out);
    EXPECT_EQ(out.pixel(0, 0), 0x102030u);
}

TEST(ScaleBitmap, TwoColumnsIntoAThousandStayOnTheLastColumnFrom993) {
    Bitmap src(2, 2);
    src.setPixel(0, 0, 0x000000);
    src.setPixel(1, 0, 0xFFFFFF);
    src.setPixel(0, 1, 0x000000);
    src.setPixel(1, 1, 0xFFFFFF);
    Bitmap out(1000, 2);
    ScaleBitmap(src, out);
    // xStep = 66: column 992 sits at 65472/65536, column 993 at 65538 = 1 + 2/65536.
    EXPECT_EQ(out.pixel(0, 0), 0u);
    EXPECT_LT(out.pixel(992, 0), 0xFFFFFFu);
    for (int x = 993; x < 1000; ++x) EXPECT_EQ(out.pixel(x, 0), 0xFFFFFFu) << x;
    // Weights add up to 65537: 255 · 65537 >> 16 = 255, never more.
    EXPECT_EQ(out.pixel(999, 1), 0xFFFFFFu);
}

TEST(ScaleBitmap, UniformWhiteStaysWhite) {
    Bitmap src(13, 7);
    src.fill(0xFFFFFF);
    for (auto [w, h] : {std::pair{100, 50}, {3, 2}, {13, 8}, {1, 2}}) {
        Bitmap out(w, h);
        ScaleBitmap(src, out);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) ASSERT_EQ(out.pixel(x, y), 0xFFFFFFu);
    }
}

TEST(ScaleBitmap, RefusesDestinationsWithoutAColumnOrWithOneRow) {
    std::mt19937 rng(5);
    const Bitmap src = RandomBitmap(10, 10, rng);
    Bitmap oneRow(10, 1);
    oneRow.fill(0x123456);
    EXPECT_THROW(ScaleBitmap(src, oneRow), base::Error);
    EXPECT_EQ(oneRow.pixel(3, 0), 0x123456u);  // nothing written
    Bitmap noColumn(0, 10);
    EXPECT_THROW(ScaleBitmap(src, noColumn), base::Error);
    Bitmap nothing;
    EXPECT_THROW(ScaleBitmap(src, nothing), base::Error);
}

TEST(ScaleBitmap, RefusesAnEmptySource) {
    Bitmap empty(0, 5), out(4, 4);
    EXPECT_THROW(ScaleBitmap(empty, out), base::Error);
    Bitmap none, none2;
    EXPECT_NO_THROW(ScaleBitmap(none, none2));  // same size: a copy of nothing
}

TEST(ScaleBitmap, HugeEnlargementNeverReadsPastTheLastRowOrColumn) {
    // yStep = MulDiv(2, 65536, 262144) rounds 0.5 up to 1, so the last rows would
    // ask for source row 3 of 3; they must use the last row instead.
    Bitmap tall(1, 3);
    tall.setPixel(0, 0, 0x000000);
    tall.setPixel(0, 1, 0x000000);
    tall.setPixel(0, 2, 0x0A0B0C);
    Bitmap outTall(1, 262144);
    ScaleBitmap(tall, outTall);
    EXPECT_EQ(outTall.pixel(0, 262143), 0x0A0B0Cu);
    Bitmap wide(3, 2);
    wide.setPixel(2, 0, 0x0A0B0C);
    wide.setPixel(2, 1, 0x0A0B0C);
    Bitmap outWide(262144, 2);
    ScaleBitmap(wide, outWide);
    EXPECT_EQ(outWide.pixel(262143, 0), 0x0A0B0Cu);
}

TEST(PrepareScreenPictures, CropsThePictureToTheScreenThenScalesTwice) {
    // A 16×12 picture on a 16:9 screen: crop 16×9 from row 1 (ratios 1778, 1333).
    std::mt19937 rng(6);
    const Bitmap full = RandomBitmap(16, 12, rng);
    Bitmap screen(32, 18), preview(7, 4);
    PrepareScreenPictures(full, screen, preview);

    Bitmap crop(16, 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 16; ++x) crop.setPixel(x, y, full.pixel(x, y + 1));
    Bitmap wantScreen(32, 18), wantPreview(7, 4);
    ReferenceScale(crop, wantScreen);
    ReferenceScale(crop, wantPreview);
    EXPECT_TRUE(screen == wantScreen);
    EXPECT_TRUE(preview == wantPreview);
}

TEST(PrepareScreenPictures, SameProportionsAtSameSizeIsACopy) {
    std::mt19937 rng(8);
    const Bitmap full = RandomBitmap(40, 30, rng);
    Bitmap screen(40, 30), preview(20, 15);
    PrepareScreenPictures(full, screen, preview);
    EXPECT_TRUE(screen == full);
}
