// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/jpeg.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "base/error.h"
#include "platform/picture_resource.h"

using namespace dorvane;
using namespace dorvane::imaging;
namespace fs = std::filesystem;

namespace {

const fs::path kData = fs::path(DORVANE_SOURCE_DIR) / "tests/imaging/data";

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A binary PPM (P6) or PGM (P5) as written by djpeg, greys spread to RGB.
Bitmap ReadNetpbm(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maxval = 0;
    in >> magic >> width >> height >> maxval;
    in.get();
    const int channels = magic == "P6" ? 3 : 1;
    Bitmap b(width, height);
    std::vector<char> line(static_cast<std::size_t>(width * channels));
    for (int y = 0; y < height; ++y) {
        in.read(line.data(), static_cast<std::streamsize>(line.size()));
        for (int x = 0; x < width * 3; ++x)
            b.row(y)[x] = static_cast<std::uint8_t>(
                line[static_cast<std::size_t>(channels == 3 ? x : x / 3)]);
    }
    return b;
}

class TempFile {
public:
    explicit TempFile(const std::string& name, const std::vector<std::uint8_t>& bytes)
        : path_(fs::temp_directory_path() /
                ("dorvane_jpeg_test_" + std::to_string(::getpid()) + "_" + name)) {
        std::ofstream out(path_, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    ~TempFile() { fs::remove(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// Loads the file and returns the error text; fails the test if nothing is thrown.
std::string FileError(const fs::path& path) {
    Bitmap target;
    try {
        LoadPictureFromFile(target, path);
    } catch (const base::Error& e) {
        return e.what();
    }
    ADD_FAILURE() << "no error for " << path;
    return {};
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(DecodeJpeg, PixelsMatchDjpegWithIntegerDct) {
    for (const char* name : {"colour", "progressive"}) {
        Bitmap picture;
        LoadPictureFromFile(picture, kData / (std::string(name) + ".jpg"));
        EXPECT_EQ(picture.width(), 37);
        EXPECT_EQ(picture.height(), 23);
        EXPECT_TRUE(picture == ReadNetpbm(kData / (std::string(name) + ".ppm"))) << name;
    }
}

TEST(DecodeJpeg, GreyscaleArrivesAsRgb) {
    Bitmap picture;
    LoadPictureFromFile(picture, kData / "grey.jpg");
    EXPECT_TRUE(picture == ReadNetpbm(kData / "grey.pgm"));
}

TEST(DecodeJpeg, AdobeCmykArrivesAsRgb) {
    Bitmap red, grey;
    LoadPictureFromFile(red, kData / "cmyk_red.jpg");
    LoadPictureFromFile(grey, kData / "cmyk_grey.jpg");
    ASSERT_EQ(red.width(), 16);
    ASSERT_EQ(red.height(), 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(red.pixel(x, y), 0x0000FFu);
            const std::uint32_t g = grey.pixel(x, y);
            // Half the black ink: 255 · 127 / 255 for each channel, give or take one.
            EXPECT_NEAR(g & 0xFF, 127, 1);
            EXPECT_EQ(g, (g & 0xFF) * 0x010101u);
        }
}

TEST(DecodeJpeg, ReusesOrResizesTheTarget) {
    Bitmap target(37, 23);
    target.fill(0xABCDEF);
    LoadPictureFromFile(target, kData / "colour.jpg");
    const Bitmap expected = ReadNetpbm(kData / "colour.ppm");
    EXPECT_TRUE(target == expected);
    Bitmap other(500, 3);
    LoadPictureFromFile(other, kData / "colour.jpg");
    EXPECT_TRUE(other == expected);
}

TEST(DecodeJpeg, ResourceIsFoundInAnyLetterCase) {
    Bitmap picture;
    platform::LoadPictureFromResource(picture, "PICTEST");
    EXPECT_TRUE(picture == ReadNetpbm(kData / "colour.ppm"));
}

TEST(DecodeJpeg, BadResourcesNameThemselves) {
    Bitmap picture;
    try {
        platform::LoadPictureFromResource(picture, "picPhoto99");
        FAIL();
    } catch (const base::Error& e) {
        EXPECT_TRUE(Contains(e.what(), "picPhoto99")) << e.what();
    }
    try {
        platform::LoadPictureFromResource(picture, "picNotJpeg");
        FAIL();
    } catch (const base::Error& e) {
        EXPECT_TRUE(Contains(e.what(), "picNotJpeg")) << e.what();
        EXPECT_TRUE(Contains(e.what(), "Not a JPEG file")) << e.what();
    }
}

TEST(DecodeJpeg, BadFilesGiveErrorsThatSayWhatAndWhich) {
    const std::vector<std::uint8_t> good = ReadBytes(kData / "colour.jpg");
    std::mt19937 rng(11);
    std::vector<std::uint8_t> noise(5000);
    for (auto& b : noise) b = static_cast<std::uint8_t>(rng());

    const TempFile headerOnly("header.jpg", {good.begin(), good.begin() + 200});
    const TempFile random("random.jpg", noise);
    const TempFile empty("empty.jpg", {});
    const TempFile png("renamed.jpg", ReadBytes(kData / "colour.png"));

    const struct {
        fs::path path;
        const char* reason;
    } cases[] = {
        {headerOnly.path(), "Premature end of JPEG file"},
        {random.path(), "Not a JPEG file"},
        {empty.path(), "Empty input file"},
        {png.path(), "Not a JPEG file: starts with 0x89 0x50"},
        {kData / "no_such_picture.jpg", "No such file or directory"},
        {kData, "Is a directory"},
    };
    for (const auto& c : cases) {
        const std::string message = FileError(c.path);
        EXPECT_TRUE(Contains(message, "Cannot read picture file " + c.path.string())) << message;
        EXPECT_TRUE(Contains(message, c.reason)) << message;
    }
}

TEST(DecodeJpeg, LyingSizesAreRefused) {
    // colour.jpg's few blocks and end marker under a frame header that claims more:
    // too large for a bitmap, or as large as allowed with no first row of blocks.
    const struct {
        std::uint8_t high, low;
        const char* reason;
    } cases[] = {
        {0xFF, 0xDC, "65500x65500"},
        {0x40, 0x00, "premature end of data segment"},  // 16384 x 16384
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> bytes = ReadBytes(kData / "colour.jpg");
        // The frame header: FF C0 len len precision H H W W.
        bool patched = false;
        for (std::size_t i = 2; i + 8 < bytes.size() && !patched; ++i)
            if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
                bytes[i + 5] = bytes[i + 7] = c.high;
                bytes[i + 6] = bytes[i + 8] = c.low;
                patched = true;
            }
        ASSERT_TRUE(patched);
        try {
            DecodeJpeg(bytes, "huge.jpg");
            ADD_FAILURE() << c.reason;
        } catch (const base::Error& e) {
            EXPECT_TRUE(Contains(e.what(), "huge.jpg")) << e.what();
            EXPECT_TRUE(Contains(e.what(), c.reason)) << e.what();
        }
    }
}

TEST(DecodeJpeg, TruncatedPhotoIsGreyBelowTheCut) {
    const fs::path photo = fs::path(DORVANE_SOURCE_DIR) / "resources/photos/photo_02.jpg";
    const std::vector<std::uint8_t> whole = ReadBytes(photo);
    const Bitmap full = DecodeJpeg(whole, "whole");
    const TempFile cut("cut.jpg", {whole.begin(), whole.begin() + whole.size() * 2 / 5});
    Bitmap picture;
    LoadPictureFromFile(picture, cut.path());
    ASSERT_EQ(picture.width(), full.width());
    ASSERT_EQ(picture.height(), full.height());
    const int last = full.height() - 1;
    EXPECT_EQ(0, std::memcmp(picture.row(0), full.row(0), full.stride()));
    for (int x = 0; x < full.width(); ++x) ASSERT_EQ(picture.pixel(x, last), 0x808080u) << x;
    EXPECT_NE(full.pixel(0, last), 0x808080u);
}

TEST(DecodeJpeg, CorruptedBytesNeverCrash) {
    // Flip bytes all over a valid picture: each attempt either decodes or throws.
    const std::vector<std::uint8_t> good = ReadBytes(kData / "colour.jpg");
    std::mt19937 rng(12);
    for (int round = 0; round < 200; ++round) {
        std::vector<std::uint8_t> bytes = good;
        for (int k = 0; k < 4; ++k) bytes[rng() % bytes.size()] = static_cast<std::uint8_t>(rng());
        try {
            const Bitmap b = DecodeJpeg(bytes, "corrupt.jpg");
            EXPECT_LE(std::int64_t{b.width()} * b.height(), std::int64_t{1} << 28);
        } catch (const base::Error& e) {
            EXPECT_TRUE(Contains(e.what(), "corrupt.jpg"));
        }
    }
}

TEST(EncodeJpeg, RoundTripIsCloseAndBaseline) {
    const Bitmap source = ReadNetpbm(kData / "colour.ppm");
    const std::vector<std::uint8_t> bytes = EncodeJpeg(source);
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);
    EXPECT_EQ(bytes[bytes.size() - 2], 0xFF);
    EXPECT_EQ(bytes[bytes.size() - 1], 0xD9);
    // Baseline: a SOF0 frame header and no progressive SOF2.
    bool sof0 = false, sof2 = false;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        sof0 |= bytes[i] == 0xFF && bytes[i + 1] == 0xC0;
        sof2 |= bytes[i] == 0xFF && bytes[i + 1] == 0xC2;
    }
    EXPECT_TRUE(sof0);
    EXPECT_FALSE(sof2);
    const Bitmap back = DecodeJpeg(bytes, "round trip");
    ASSERT_EQ(back.width(), source.width());
    ASSERT_EQ(back.height(), source.height());
    double error = 0;
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width() * 3; ++x)
            error += std::abs(back.row(y)[x] - source.row(y)[x]);
    EXPECT_LT(error / (source.width() * source.height() * 3), 6.0);  // quality 95
}

TEST(EncodeJpeg, LargerPictureSpansManyOutputChunks) {
    Bitmap noise(400, 300);
    std::mt19937 rng(13);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 1200; ++x) noise.row(y)[x] = static_cast<std::uint8_t>(rng());
    const std::vector<std::uint8_t> bytes = EncodeJpeg(noise);
    EXPECT_GT(bytes.size(), 64u * 1024);
    const Bitmap back = DecodeJpeg(bytes, "noise");
    EXPECT_EQ(back.width(), 400);
    EXPECT_EQ(back.height(), 300);
}

TEST(EncodeJpeg, EmptyPictureIsAnError) {
    EXPECT_THROW(EncodeJpeg(Bitmap{}), base::Error);
}
