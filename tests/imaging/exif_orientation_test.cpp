// SPDX-License-Identifier: GPL-3.0-or-later
// EXIF orientation: read from hand-made headers, malformed ones included, and the
// eight ways a stored picture is turned upright, worked out by hand on a 3 × 2 grid.
#include "imaging/exif_orientation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvane::imaging {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Of(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

// A TIFF block whose first directory holds one entry: tag, type, count, value.
Bytes Tiff(bool bigEndian, int tag, int type, int count, int value, int entries = 1) {
    const auto u16 = [&](int v) {
        return bigEndian ? Bytes{Bytes::value_type(v >> 8), Bytes::value_type(v & 255)}
                         : Bytes{Bytes::value_type(v & 255), Bytes::value_type(v >> 8)};
    };
    const auto u32 = [&](int v) {
        Bytes hi = u16(v >> 16), lo = u16(v & 0xFFFF);
        Bytes out = bigEndian ? hi : lo;
        const Bytes& second = bigEndian ? lo : hi;
        out.insert(out.end(), second.begin(), second.end());
        return out;
    };
    Bytes t = bigEndian ? Of("MM") : Of("II");
    for (const Bytes& part : {u16(42), u32(8), u16(entries), u16(tag), u16(type), u32(count),
                              u16(value), u16(0), u32(0)})
        t.insert(t.end(), part.begin(), part.end());
    return t;
}

Bytes Segment(std::uint8_t marker, const Bytes& body, int extraLength = 0) {
    const int length = static_cast<int>(body.size()) + 2 + extraLength;
    Bytes s{0xFF, marker, std::uint8_t(length >> 8), std::uint8_t(length & 255)};
    s.insert(s.end(), body.begin(), body.end());
    return s;
}

Bytes Exif(const Bytes& tiff) {
    Bytes body = Of(std::string("Exif\0\0", 6));
    body.insert(body.end(), tiff.begin(), tiff.end());
    return Segment(0xE1, body);
}

Bytes Jpeg(std::initializer_list<Bytes> segments) {
    Bytes j{0xFF, 0xD8};
    for (const Bytes& s : segments) j.insert(j.end(), s.begin(), s.end());
    j.insert(j.end(), {0xFF, 0xD9});
    return j;
}

TEST(ExifOrientation, ReadsTheTagAndNothingMalformed) {
    const Bytes jfif = Segment(0xE0, Of(std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14)));
    const Bytes sos = Segment(0xDA, Bytes(10, 0));
    Bytes truncated = Exif(Tiff(false, 0x0112, 3, 1, 6));
    truncated.resize(truncated.size() - 6);
    struct Row {
        const char* what;
        Bytes jpeg;
        int orientation;
    };
    const Row rows[] = {
        {"little-endian 6", Jpeg({Exif(Tiff(false, 0x0112, 3, 1, 6))}), 6},
        {"big-endian 8", Jpeg({Exif(Tiff(true, 0x0112, 3, 1, 8))}), 8},
        {"after JFIF and fill bytes", Jpeg({jfif, {0xFF}, Exif(Tiff(true, 0x0112, 3, 1, 3))}), 3},
        {"2, mirrored", Jpeg({Exif(Tiff(false, 0x0112, 3, 1, 2))}), 2},
        {"no EXIF", Jpeg({jfif}), 1},
        {"value 0", Jpeg({Exif(Tiff(false, 0x0112, 3, 1, 0))}), 1},
        {"value 9", Jpeg({Exif(Tiff(false, 0x0112, 3, 1, 9))}), 1},
        {"a LONG, not a SHORT", Jpeg({Exif(Tiff(false, 0x0112, 4, 1, 6))}), 1},
        {"two values", Jpeg({Exif(Tiff(false, 0x0112, 3, 2, 6))}), 1},
        {"another tag only", Jpeg({Exif(Tiff(false, 0x0110, 3, 1, 6))}), 1},
        {"65535 entries claimed, one there", Jpeg({Exif(Tiff(false, 0x0110, 3, 1, 6, 65535))}), 1},
        {"segment longer than the file", Jpeg({Segment(0xE1, Bytes(8, 0), 60000)}), 1},
        {"segment cut short", Bytes{0xFF, 0xD8, 0xFF, 0xE1, 0x01}, 1},
        {"segment length 0", Bytes{0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x00, 0xFF, 0xD9}, 1},
        {"EXIF after the image data", Jpeg({sos, Exif(Tiff(false, 0x0112, 3, 1, 6))}), 1},
        {"not a JPEG", Of("II*\0 not a jpeg"), 1},
        {"empty", Bytes{}, 1},
    };
    for (const Row& r : rows) EXPECT_EQ(ReadExifOrientation(r.jpeg), r.orientation) << r.what;
    // Cut inside the directory, the segment's length still claiming it whole.
    EXPECT_EQ(ReadExifOrientation(Bytes{0xFF, 0xD8} + truncated), 1);
    // A directory offset far past the block.
    Bytes far = Tiff(false, 0x0112, 3, 1, 6);
    far[4] = 0xFF;
    far[7] = 0x7F;
    EXPECT_EQ(ReadExifOrientation(Jpeg({Exif(far)})), 1);
}

TEST(ExifOrientation, TurnsTheStoredPictureUpright) {
    // Stored:  a b c      each letter a distinct colour
    //          d e f
    Bitmap stored(3, 2);
    for (int i = 0; i < 6; ++i) stored.setPixel(i % 3, i / 3, static_cast<std::uint32_t>('a' + i));
    const std::vector<std::string> upright[] = {
        {},
        {"abc", "def"},
        {"cba", "fed"},
        {"fed", "cba"},
        {"def", "abc"},
        {"ad", "be", "cf"},
        {"da", "eb", "fc"},
        {"fc", "eb", "da"},
        {"cf", "be", "ad"},
    };
    for (int o = 1; o <= 8; ++o) {
        const Bitmap out = Oriented(stored, o);
        std::vector<std::string> rows(static_cast<std::size_t>(out.height()));
        for (int y = 0; y < out.height(); ++y)
            for (int x = 0; x < out.width(); ++x)
                rows[static_cast<std::size_t>(y)] += static_cast<char>(out.pixel(x, y));
        EXPECT_EQ(rows, upright[o]) << "orientation " << o;
    }
    EXPECT_EQ(Oriented(stored, 0), stored);
    EXPECT_EQ(Oriented(stored, 9), stored);
}

}  // namespace
}  // namespace dorvane::imaging
