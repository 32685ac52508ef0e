// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/thumbnail.h"

#include <gtest/gtest.h>

#include <fstream>

#include "../platform/temp_folder.h"
#include "base/error.h"
#include "gallery/picture_loader.h"
#include "imaging/fit.h"
#include "imaging/jpeg.h"

namespace fs = std::filesystem;
using namespace dorvane;
using namespace dorvane::gallery;

namespace {

imaging::Bitmap Solid(int w, int h, std::uint32_t colour) {
    imaging::Bitmap b(w, h);
    b.fill(colour);
    return b;
}

std::vector<std::uint8_t> Jpeg(int w, int h, std::uint32_t colour = 0x2080C0) {
    return imaging::EncodeJpeg(Solid(w, h, colour), 95);
}

void WriteFile(const fs::path& p, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

bool Near(std::uint32_t a, std::uint32_t b) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255)) >
            4)
            return false;
    return true;
}

}  // namespace

TEST(MakeThumbnail, PortraitPictureGetsWhiteBandsLeftAndRight) {
    const imaging::Bitmap thumb = MakeThumbnail(Solid(1200, 1600, 0x0000FF));
    ASSERT_EQ(thumb.width(), 95);
    ASSERT_EQ(thumb.height(), 71);
    EXPECT_EQ(thumb.pixel(20, 35), 0xFFFFFFu);
    EXPECT_EQ(thumb.pixel(21, 35), 0x0000FFu);  // 53 wide, from x = 21
    EXPECT_EQ(thumb.pixel(73, 35), 0x0000FFu);
    EXPECT_EQ(thumb.pixel(74, 35), 0xFFFFFFu);
}

TEST(MakeThumbnail, ThumbnailSizedPictureIsCopiedExactly) {
    imaging::Bitmap picture(95, 71);
    for (int y = 0; y < 71; ++y)
        for (int x = 0; x < 95; ++x)
            picture.setPixel(x, y, static_cast<std::uint32_t>(x * 977 + y));
    EXPECT_EQ(MakeThumbnail(picture), picture);
}

TEST(MakeThumbnail, ExtremeAspectRatioIsAnError) {
    EXPECT_THROW(MakeThumbnail(Solid(2000, 10, 0)), base::Error);  // fits as 95 × 0
}

TEST(ThumbnailScaleDenominator, KeepsTwiceTheThumbnail) {
    EXPECT_EQ(ThumbnailScaleDenominator(4000, 3000), 8);  // 500 × 375 ≥ 190 × 142
    EXPECT_EQ(ThumbnailScaleDenominator(1600, 1200), 8);
    EXPECT_EQ(ThumbnailScaleDenominator(800, 600), 4);
    EXPECT_EQ(ThumbnailScaleDenominator(300, 200), 1);
    EXPECT_EQ(ThumbnailScaleDenominator(95, 71), 1);
}

TEST(ThumbnailFromJpeg, ReducedDecodeLooksLikeTheFullOne) {
    const auto bytes = Jpeg(1600, 1200, 0x3060A0);
    const imaging::Bitmap fast = ThumbnailFromJpeg(bytes, "test");
    imaging::Bitmap full;
    full = imaging::DecodeJpeg(bytes, "test");
    const imaging::Bitmap slow = MakeThumbnail(full);
    ASSERT_EQ(fast.width(), 95);
    for (int y = 0; y < 71; y += 7)
        for (int x = 0; x < 95; x += 9) EXPECT_TRUE(Near(fast.pixel(x, y), slow.pixel(x, y)));
}

TEST(ThumbnailFromJpeg, AcceptanceFollowsTheFullSize) {
    // 1900 × 30 fits as 95 × 2 (1.5 rounds to 2): a thumbnail can be made.
    EXPECT_NO_THROW(ThumbnailFromJpeg(Jpeg(1900, 30), "wide"));
    // 3000 × 20 fits as 95 × 1: no thumbnail, as with a full decode.
    EXPECT_THROW(ThumbnailFromJpeg(Jpeg(3000, 20), "wider"), base::Error);
}

TEST(ThumbnailFromFile, BadFilesAreErrorsNeverCrashes) {
    TempFolder dir;
    auto good = Jpeg(400, 300);
    WriteFile(dir / "empty.jpg", {});
    WriteFile(dir / "random.jpg", std::vector<std::uint8_t>(5000, 0x5A));
    // Cut in half, a photo keeps its top half (grey below); cut before its first
    // row of blocks, it has nothing to show.
    WriteFile(dir / "half.jpg", {good.begin(), good.begin() + static_cast<long>(good.size() / 2)});
    std::size_t scan = 0;
    while (scan + 1 < good.size() && !(good[scan] == 0xFF && good[scan + 1] == 0xDA)) ++scan;
    WriteFile(dir / "truncated.jpg", {good.begin(), good.begin() + static_cast<long>(scan + 16)});
    auto huge = good;  // the frame header claims 65500 × 65500
    for (std::size_t i = 0; i + 8 < huge.size(); ++i)
        if (huge[i] == 0xFF && (huge[i + 1] == 0xC0 || huge[i + 1] == 0xC2)) {
            huge[i + 5] = huge[i + 7] = 0xFF;
            huge[i + 6] = huge[i + 8] = 0xDC;
            break;
        }
    WriteFile(dir / "huge.jpg", huge);
    for (const char* name : {"empty.jpg", "random.jpg", "truncated.jpg", "huge.jpg", "gone.jpg"})
        EXPECT_THROW(ThumbnailFromFile(dir / name), base::Error) << name;
    WriteFile(dir / "good.jpg", good);
    EXPECT_EQ(ThumbnailFromFile(dir / "good.jpg").width(), 95);
    EXPECT_EQ(ThumbnailFromFile(dir / "half.jpg").width(), 95);
}

TEST(LoadGalleryPicture, UserPicturesByNameInAnyCaseAndNumbersClamped) {
    TempFolder dir;
    WriteFile(dir / "beach.jpg", Jpeg(64, 48));
    const Catalogue pictures{
        {"A", false, 1}, {"BEACH", false, 2}, {"MY", false, 3, "My.Beach.jpg"}};
    WriteFile(dir / "a.JPG", Jpeg(32, 16));
    imaging::Bitmap target;
    LoadGalleryPicture(2, pictures, dir.path(), target);
    EXPECT_EQ(target.width(), 64);
    LoadGalleryPicture(0, pictures, dir.path(), target);  // out of range: picture 1
    EXPECT_EQ(target.width(), 32);
    LoadGalleryPicture(4, pictures, dir.path(), target);
    EXPECT_EQ(target.width(), 32);
    // MY is loaded from the file it was listed from, not from MY.jpg.
    WriteFile(dir / "My.Beach.jpg", Jpeg(8, 8));
    LoadGalleryPicture(3, pictures, dir.path(), target);
    EXPECT_EQ(target.width(), 8);
    std::filesystem::remove(dir / "My.Beach.jpg");
    EXPECT_THROW(LoadGalleryPicture(3, pictures, dir.path(), target), base::Error);
    EXPECT_THROW(LoadGalleryPicture(1, {}, dir.path(), target), base::Error);
}

// A phone's portrait photo: stored lying 400 × 200 (left half red, right half
// blue) with orientation 6, "turn a quarter clockwise". Upright it is 200 × 400,
// red above blue, in the picture, the full-size decode and the thumbnail alike.
TEST(ExifOrientation, PhonePortraitsComeOutUpright) {
    imaging::Bitmap stored(400, 200);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 400; ++x) stored.setPixel(x, y, x < 200 ? 0x0000FF : 0xFF0000);
    const std::vector<std::uint8_t> plain = imaging::EncodeJpeg(stored, 95);
    const std::uint8_t app1[] = {0xFF, 0xE1, 0, 34, 'E', 'x', 'i', 'f', 0,    0,    'I', 'I',
                                 42,   0,    8, 0,  0,   0,   1,   0,   0x12, 0x01, 3,   0,
                                 1,    0,    0, 0,  6,   0,   0,   0,   0,    0,    0,   0};
    std::vector<std::uint8_t> turned(plain.begin(), plain.begin() + 2);
    turned.insert(turned.end(), std::begin(app1), std::end(app1));
    turned.insert(turned.end(), plain.begin() + 2, plain.end());
    TempFolder dir;
    WriteFile(dir / "phone.jpg", turned);
    const Catalogue pictures{{"PHONE", false, 1}};
    imaging::Bitmap full;
    LoadGalleryPicture(1, pictures, dir.path(), full);
    ASSERT_EQ(full.width(), 200);
    ASSERT_EQ(full.height(), 400);
    EXPECT_TRUE(Near(full.pixel(100, 50), 0x0000FF));
    EXPECT_TRUE(Near(full.pixel(100, 350), 0xFF0000));
    const imaging::Bitmap thumb = ThumbnailFromFile(dir / "phone.jpg");
    EXPECT_EQ(thumb.pixel(2, 35), 0xFFFFFFu);  // white bands left and right: portrait
    EXPECT_TRUE(Near(thumb.pixel(47, 10), 0x0000FF));
    EXPECT_TRUE(Near(thumb.pixel(47, 60), 0xFF0000));
}
