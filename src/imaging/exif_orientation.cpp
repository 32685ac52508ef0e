// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/exif_orientation.h"

#include <cstring>
#include <string_view>

namespace dorvane::imaging {
namespace {

using Bytes = std::span<const std::uint8_t>;

class TiffReader {
public:
    explicit TiffReader(Bytes tiff) : tiff_(tiff), bigEndian_(tiff.size() >= 2 && tiff[0] == 'M') {}
    bool has(std::size_t at, std::size_t n) const {
        return at <= tiff_.size() && n <= tiff_.size() - at;
    }
    std::uint32_t u16(std::size_t at) const {
        return bigEndian_ ? (tiff_[at] << 8) | tiff_[at + 1] : tiff_[at] | (tiff_[at + 1] << 8);
    }
    std::uint32_t u32(std::size_t at) const {
        return bigEndian_ ? (u16(at) << 16) | u16(at + 2) : u16(at) | (u16(at + 2) << 16);
    }

private:
    Bytes tiff_;
    bool bigEndian_;
};

// The orientation tag of the first directory of a TIFF block ("II*\0" or "MM\0*").
int OrientationInTiff(Bytes tiff) {
    if (tiff.size() < 8) return 1;
    const bool ii = tiff[0] == 'I' && tiff[1] == 'I';
    const bool mm = tiff[0] == 'M' && tiff[1] == 'M';
    const TiffReader r(tiff);
    if (!(ii || mm) || r.u16(2) != 42) return 1;
    const std::size_t dir = r.u32(4);
    if (!r.has(dir, 2)) return 1;
    const std::uint32_t entries = r.u16(dir);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::size_t at = dir + 2 + std::size_t{i} * 12;
        if (!r.has(at, 12)) return 1;
        // Tag 0x0112, type SHORT (3), one value, held in the entry itself.
        if (r.u16(at) != 0x0112) continue;
        if (r.u16(at + 2) != 3 || r.u32(at + 4) != 1) return 1;
        const std::uint32_t value = r.u16(at + 8);
        return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
    }
    return 1;
}

}  // namespace

int ReadExifOrientation(Bytes jpeg) {
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return 1;
    std::size_t at = 2;
    // Each step moves past one whole segment, so the walk ends within the file.
    while (at + 4 <= jpeg.size()) {
        if (jpeg[at] != 0xFF) return 1;
        const std::uint8_t marker = jpeg[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) return 1;  // image data: no more headers
        const std::size_t length = (std::size_t{jpeg[at + 2]} << 8) | jpeg[at + 3];
        if (length < 2 || at + 2 + length > jpeg.size()) return 1;
        const Bytes body = jpeg.subspan(at + 4, length - 2);
        constexpr std::string_view kExif("Exif\0\0", 6);
        if (marker == 0xE1 && body.size() >= kExif.size() &&
            std::memcmp(body.data(), kExif.data(), kExif.size()) == 0)
            return OrientationInTiff(body.subspan(kExif.size()));
        at += 2 + length;
    }
    return 1;
}

Bitmap Oriented(const Bitmap& picture, int orientation) {
    if (orientation < 2 || orientation > 8) return picture;
    // For each orientation: the upright picture is the stored one transposed
    // (5 to 8), then mirrored left to right and/or top to bottom.
    struct Turn {
        bool transpose, mirrorX, mirrorY;
    };
    static constexpr Turn kTurns[9] = {{},
                                       {false, false, false},
                                       {false, true, false},
                                       {false, true, true},
                                       {false, false, true},
                                       {true, false, false},
                                       {true, false, true},
                                       {true, true, true},
                                       {true, true, false}};
    const Turn t = kTurns[orientation];
    const int w = picture.width();
    const int h = picture.height();
    Bitmap out(t.transpose ? h : w, t.transpose ? w : h);
    for (int y = 0; y < out.height(); ++y) {
        std::uint8_t* to = out.row(y);
        for (int x = 0; x < out.width(); ++x, to += 3) {
            const int u = t.transpose ? y : x;  // where the upright pixel (x, y) is stored
            const int v = t.transpose ? x : y;
            const int sx = t.mirrorX ? w - 1 - u : u;
            const int sy = t.mirrorY ? h - 1 - v : v;
            std::memcpy(to, picture.row(sy) + std::size_t(sx) * 3, 3);
        }
    }
    return out;
}

}  // namespace dorvane::imaging
