// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in photographs as compiled into the program: names, resources, JPEG
// form, and pixels identical to libjpeg's reference decoder (djpeg).
#include "gallery/builtin_pictures.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/ascii.h"
#include "base/error.h"
#include "gallery/catalogue.h"
#include "imaging/jpeg.h"
#include "platform/picture_resource.h"
#include "platform/resources.h"

using namespace dorvane;
using namespace dorvane::gallery;
namespace fs = std::filesystem;

namespace {

// What the frame header of a JPEG says.
struct JpegFrame {
    int sofMarker = -1;  // 0xC0 baseline, 0xC1 extended, 0xC2 progressive, ...
    int frameCount = 0;  // SOF segments seen before the first scan
    int precision = 0;
    int width = 0;
    int height = 0;
    int components = 0;
    bool subsampled = false;  // some component has a sampling factor other than 1×1
};

// Walks the marker segments up to the first scan.
JpegFrame ReadJpegFrame(platform::ResourceBytes b) {
    JpegFrame f;
    if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8) throw base::Error("no SOI marker");
    std::size_t pos = 2;
    while (pos + 4 <= b.size()) {
        if (b[pos] != 0xFF) throw base::Error("marker expected at " + std::to_string(pos));
        const int marker = b[pos + 1];
        if (marker == 0xFF) {  // fill byte
            ++pos;
            continue;
        }
        const std::size_t length = (std::size_t{b[pos + 2]} << 8) | b[pos + 3];
        if (length < 2 || pos + 2 + length > b.size())
            throw base::Error("segment overruns the data");
        const bool sof =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (sof) {
            if (length < 8) throw base::Error("short frame header");
            f.sofMarker = marker;
            ++f.frameCount;
            f.precision = b[pos + 4];
            f.height = (b[pos + 5] << 8) | b[pos + 6];
            f.width = (b[pos + 7] << 8) | b[pos + 8];
            f.components = b[pos + 9];
            if (length < 8 + 3 * std::size_t(f.components)) throw base::Error("short frame header");
            for (int c = 0; c < f.components; ++c)
                f.subsampled |= b[pos + 11 + 3 * std::size_t(c)] != 0x11;
        }
        if (marker == 0xDA) return f;  // start of scan: the header is over
        pos += 2 + length;
    }
    throw base::Error("no scan found");
}

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
    std::error_code error;
    const auto size = fs::file_size(path, error);
    if (error) return {};
    std::vector<std::uint8_t> bytes(size);
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    return bytes;
}

// The picture as `djpeg -dct int -nosmooth` decodes it (accurate integer IDCT, no
// block smoothing: the settings the program decodes with).
imaging::Bitmap DecodeWithDjpeg(platform::ResourceBytes bytes, const std::string& name) {
    const fs::path dir = fs::temp_directory_path();
    const std::string stem = "dorvane_builtin_" + std::to_string(::getpid()) + "_" + name;
    const fs::path jpg = dir / (stem + ".jpg"), ppm = dir / (stem + ".ppm");
    {
        std::ofstream out(jpg, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    const std::string command =
        "djpeg -dct int -nosmooth -ppm -outfile '" + ppm.string() + "' '" + jpg.string() + "'";
    const int status = std::system(command.c_str());
    const std::vector<std::uint8_t> data = ReadFile(ppm);
    fs::remove(jpg);
    fs::remove(ppm);
    if (status != 0)
        throw base::Error("djpeg failed on " + name + " (scripts/install-deps installs it)");

    // Binary PPM: "P6 <w> <h> 255" and one whitespace byte, then the pixels.
    std::size_t pos = 0;
    auto field = [&] {
        while (pos < data.size() && std::isspace(data[pos])) ++pos;
        std::string token;
        while (pos < data.size() && !std::isspace(data[pos]))
            token += static_cast<char>(data[pos++]);
        return token;
    };
    if (field() != "P6") throw base::Error("djpeg wrote no colour PPM for " + name);
    const int width = std::stoi(field()), height = std::stoi(field());
    if (field() != "255") throw base::Error("unexpected PPM depth for " + name);
    ++pos;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    if (data.size() != pos + rowBytes * static_cast<std::size_t>(height))
        throw base::Error("truncated PPM for " + name);
    imaging::Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        std::copy_n(data.data() + pos + rowBytes * static_cast<std::size_t>(y), rowBytes,
                    picture.row(y));
    return picture;
}

// The photograph averaged over a grid of width × height cells (three values a
// cell, row by row). One pass over the pixels: cheap even in a sanitizer build.
std::vector<double> CellMeans(const imaging::Bitmap& photo, int width, int height) {
    std::vector<int> cellX(std::size_t(photo.width()));
    for (int x = 0; x < photo.width(); ++x) cellX[std::size_t(x)] = x * width / photo.width();
    std::vector<double> sums(std::size_t(width) * std::size_t(height) * 3);
    std::vector<int> counts(std::size_t(width) * std::size_t(height));
    const int columns = photo.width();  // raw pointers keep the unoptimised build quick
    const int* column = cellX.data();
    double* sum = sums.data();
    int* count = counts.data();
    for (int y = 0; y < photo.height(); ++y) {
        const std::size_t rowCell = std::size_t(y * height / photo.height()) * std::size_t(width);
        const std::uint8_t* p = photo.row(y);
        for (int x = 0; x < columns; ++x, p += 3) {
            const std::size_t cell = rowCell + std::size_t(column[x]);
            sum[cell * 3] += p[0];
            sum[cell * 3 + 1] += p[1];
            sum[cell * 3 + 2] += p[2];
            ++count[cell];
        }
    }
    for (std::size_t i = 0; i < sums.size(); ++i) sums[i] /= counts[i / 3];
    return sums;
}

// Mean absolute difference per channel between a thumbnail and cell means.
double ThumbnailDistance(const std::vector<double>& means, const imaging::Bitmap& thumb) {
    double total = 0;
    std::size_t i = 0;
    for (int y = 0; y < thumb.height(); ++y)
        for (int x = 0; x < thumb.width() * 3; ++x) total += std::abs(means[i++] - thumb.row(y)[x]);
    return total / static_cast<double>(means.size());
}

}  // namespace

TEST(BuiltInPictures, NamesAreTheFixedTable) {
    ASSERT_EQ(kBuiltInPictureNames.size(), 32u);
    EXPECT_EQ(BuiltInPictureName(1), "Bryce Canyon");
    EXPECT_EQ(BuiltInPictureName(3), "Devils Tower view");
    EXPECT_EQ(BuiltInPictureName(11), "Monument Valley");
    EXPECT_EQ(BuiltInPictureName(15), "Flamingos");
    EXPECT_EQ(BuiltInPictureName(16), "Piramyd Lake");
    EXPECT_EQ(BuiltInPictureName(22), "Sunset");
    EXPECT_EQ(BuiltInPictureName(25), "Utah");
    EXPECT_EQ(BuiltInPictureName(32), "Yellowstone 7");
    // Boards find their picture by name in any case, so no two may collide.
    std::set<std::string> upper;
    for (auto name : kBuiltInPictureNames) {
        EXPECT_FALSE(name.empty());
        EXPECT_EQ(name.find('.'), std::string_view::npos) << name;
        upper.insert(base::AsciiUpper(name));
    }
    EXPECT_EQ(upper.size(), 32u);

    const std::vector<std::string> list = BuiltInPictureNameList();
    ASSERT_EQ(list.size(), 32u);
    EXPECT_EQ(list.front(), "Bryce Canyon");
    EXPECT_EQ(list[20], "Sunrise");
    EXPECT_EQ(list.back(), "Yellowstone 7");
}

// The credits' table says what each photograph shows; the tooltips say the same.
TEST(BuiltInPictures, DescriptionsAreTheCreditsTable) {
    std::ifstream credits(std::filesystem::path(DORVANE_SOURCE_DIR) / "resources/CREDITS.md");
    std::vector<std::string> rows;
    for (std::string line; std::getline(credits, line);) {
        const std::string number = "| " + std::to_string(rows.size() + 1) + " | ";
        if (!line.starts_with(number)) continue;
        std::vector<std::string> cells;
        std::stringstream in(line.substr(1));
        for (std::string cell; std::getline(in, cell, '|');)
            cells.push_back(cell.substr(1, cell.size() - 2));
        ASSERT_GE(cells.size(), 3u) << line;
        EXPECT_EQ(cells[1], BuiltInPictureName(int(rows.size() + 1)));
        rows.push_back(cells[2]);
    }
    ASSERT_EQ(rows.size(), std::size_t{kBuiltInPictureCount});
    std::set<std::string> distinct;
    for (int n = 1; n <= kBuiltInPictureCount; ++n) {
        EXPECT_EQ(BuiltInPictureDescription(n), rows[std::size_t(n - 1)]) << n;
        distinct.insert(rows[std::size_t(n - 1)]);
    }
    EXPECT_EQ(distinct.size(), std::size_t{kBuiltInPictureCount});
    EXPECT_THROW(BuiltInPictureDescription(33), dorvane::base::Error);
}

TEST(BuiltInPictures, ResourceNamesHaveNoLeadingZeros) {
    EXPECT_EQ(BuiltInPhotoResource(1), "picPhoto1");
    EXPECT_EQ(BuiltInPhotoResource(9), "picPhoto9");
    EXPECT_EQ(BuiltInPhotoResource(10), "picPhoto10");
    EXPECT_EQ(BuiltInPhotoResource(32), "picPhoto32");
    EXPECT_EQ(BuiltInThumbResource(1), "picThumb1");
    EXPECT_EQ(BuiltInThumbResource(32), "picThumb32");
}

TEST(BuiltInPictures, NumbersOutsideOneToThirtyTwoAreRefused) {
    for (int n : {0, -1, 33, 1000}) {
        EXPECT_THROW(BuiltInPictureName(n), base::Error) << n;
        EXPECT_THROW(BuiltInPhotoResource(n), base::Error) << n;
        EXPECT_THROW(BuiltInThumbResource(n), base::Error) << n;
    }
}

TEST(BuiltInPictures, FrameHeaderReaderCatchesProgressiveAndBrokenData) {
    // A minimal progressive header: SOI, SOF2 (8 bit, 2×1, 3 components), SOS.
    const std::vector<std::uint8_t> progressive = {
        0xFF, 0xD8, 0xFF, 0xC2, 0x00, 0x11, 0x08, 0x00, 0x01, 0x00, 0x02, 0x03, 0x01,
        0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01, 0xFF, 0xDA, 0x00, 0x02};
    const JpegFrame f = ReadJpegFrame(progressive);
    EXPECT_EQ(f.sofMarker, 0xC2);
    EXPECT_EQ(f.width, 2);
    EXPECT_EQ(f.height, 1);
    EXPECT_EQ(f.components, 3);
    EXPECT_TRUE(f.subsampled);
    const std::vector<std::uint8_t> truncated(progressive.begin(), progressive.begin() + 10);
    EXPECT_THROW(ReadJpegFrame(truncated), base::Error);
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    EXPECT_THROW(ReadJpegFrame(png), base::Error);
}

TEST(BuiltInPictures, EveryPhotoAndThumbnailIsABaselineJpegOfItsSize) {
    for (int n = 1; n <= kBuiltInPictureCount; ++n) {
        for (bool photo : {true, false}) {
            const std::string name = photo ? BuiltInPhotoResource(n) : BuiltInThumbResource(n);
            SCOPED_TRACE(name);
            ASSERT_TRUE(platform::HasResource("RCDATA", name));
            const JpegFrame f = ReadJpegFrame(platform::LoadResource("RCDATA", name));
            EXPECT_EQ(f.sofMarker, 0xC0);  // baseline sequential DCT
            EXPECT_EQ(f.frameCount, 1);
            EXPECT_EQ(f.precision, 8);
            EXPECT_EQ(f.width, photo ? 1600 : 95);
            EXPECT_EQ(f.height, photo ? 1200 : 71);
            EXPECT_EQ(f.components, 3);
            // Full-resolution chroma: no decoder's choice of upsampling can then
            // change a pixel.
            EXPECT_FALSE(f.subsampled);
        }
    }
    // Exactly 32 of each, found in any letter case.
    EXPECT_FALSE(platform::HasResource("RCDATA", "picPhoto0"));
    EXPECT_FALSE(platform::HasResource("RCDATA", "picPhoto33"));
    EXPECT_FALSE(platform::HasResource("RCDATA", "picThumb33"));
    EXPECT_FALSE(platform::HasResource("RCDATA", "picPhoto01"));
    EXPECT_TRUE(platform::HasResource("rcdata", "PICPHOTO7"));
    EXPECT_TRUE(platform::HasResource("RCDATA", "picthumb32"));
}

// Every picture decodes exactly as the reference decoder decodes it, and every
// thumbnail shows its own photograph (a numbering slip would swap them).
TEST(BuiltInPictures, DecodedPixelsMatchDjpegAndThumbnailsMatchTheirPhotos) {
    std::vector<imaging::Bitmap> thumbs;
    for (int n = 1; n <= kBuiltInPictureCount; ++n) {
        const std::string name = BuiltInThumbResource(n);
        const auto bytes = platform::LoadResource("RCDATA", name);
        thumbs.push_back(imaging::DecodeJpeg(bytes, name));
        ASSERT_EQ(thumbs.back().width(), 95) << name;
        ASSERT_EQ(thumbs.back().height(), 71) << name;
        EXPECT_TRUE(thumbs.back() == DecodeWithDjpeg(bytes, name)) << name;
        imaging::Bitmap loaded;
        platform::LoadPictureFromResource(loaded, name);
        EXPECT_TRUE(loaded == thumbs.back()) << name;
    }
    for (int n = 1; n <= kBuiltInPictureCount; ++n) {
        SCOPED_TRACE(BuiltInPictureName(n));
        const std::string name = BuiltInPhotoResource(n);
        const auto bytes = platform::LoadResource("RCDATA", name);
        const imaging::Bitmap photo = imaging::DecodeJpeg(bytes, name);
        ASSERT_EQ(photo.width(), 1600);
        ASSERT_EQ(photo.height(), 1200);
        EXPECT_TRUE(photo == DecodeWithDjpeg(bytes, name)) << name;

        // Its own thumbnail is close, and clearly closer than any other.
        const std::vector<double> means = CellMeans(photo, 95, 71);
        const double own = ThumbnailDistance(means, thumbs[std::size_t(n - 1)]);
        EXPECT_LT(own, 10.0);
        for (int m = 1; m <= kBuiltInPictureCount; ++m) {
            if (m == n) continue;
            const double other = ThumbnailDistance(means, thumbs[std::size_t(m - 1)]);
            EXPECT_GT(other, 2 * own) << BuiltInThumbResource(m);
        }
    }
}
