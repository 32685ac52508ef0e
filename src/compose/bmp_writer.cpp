// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/bmp_writer.h"

#include <algorithm>
#include <cstring>

#include "compose/overlay.h"
#include "platform/atomic_file.h"

namespace dorvane::compose {
namespace {

constexpr std::size_t kHeaderBytes = 14 + 40;
constexpr int kBandRows = 64;  // rows composed and written at a time

void Put16(std::uint8_t*& out, std::uint32_t v) {
    *out++ = v & 0xFF;
    *out++ = (v >> 8) & 0xFF;
}
void Put32(std::uint8_t*& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutHeader(std::uint8_t* out, const imaging::Bitmap& picture) {
    const auto imageBytes = static_cast<std::uint32_t>(imaging::Bitmap::StrideFor(picture.width()) *
                                                       static_cast<std::size_t>(picture.height()));
    *out++ = 'B';
    *out++ = 'M';
    Put32(out, static_cast<std::uint32_t>(kHeaderBytes) + imageBytes);
    Put32(out, 0);  // reserved
    Put32(out, kHeaderBytes);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(picture.width()));
    Put32(out, static_cast<std::uint32_t>(picture.height()));  // positive: bottom-up rows
    Put16(out, 1);                                             // planes
    Put16(out, 24);                                            // bits per pixel
    Put32(out, 0);                                             // BI_RGB, no compression
    Put32(out, imageBytes);
    Put32(out, 0);  // horizontal resolution: unspecified
    Put32(out, 0);  // vertical resolution: unspecified
    Put32(out, 0);  // colours used
    Put32(out, 0);  // important colours
}

// One row, red-green-blue turned into blue-green-red; the padding is left alone.
void PutRow(std::uint8_t* to, const std::uint8_t* from, int width) {
    for (int x = 0; x < width; ++x) {
        to[3 * x] = from[3 * x + 2];
        to[3 * x + 1] = from[3 * x + 1];
        to[3 * x + 2] = from[3 * x];
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const imaging::Bitmap& picture) {
    const std::size_t stride = imaging::Bitmap::StrideFor(picture.width());
    std::vector<std::uint8_t> out(kHeaderBytes +
                                  stride * static_cast<std::size_t>(picture.height()));
    PutHeader(out.data(), picture);
    std::uint8_t* to = out.data() + kHeaderBytes;
    for (int y = picture.height() - 1; y >= 0; --y, to += stride)
        PutRow(to, picture.row(y), picture.width());
    return out;
}

void WriteBmpFile(const std::filesystem::path& path, const imaging::Bitmap& picture) {
    platform::WriteFileAtomically(path, EncodeBmp(picture));
}

void WriteComposedBmpFile(const std::filesystem::path& path, const imaging::Bitmap& picture,
                          const TextLayer& layer) {
    // Not flushed to the disk: the desktop reads it at once, and the program makes
    // it again at the next use; the rename still replaces the earlier file whole.
    platform::AtomicFile file(path, platform::AtomicFile::Flush::CacheOnly);
    std::uint8_t header[kHeaderBytes];
    PutHeader(header, picture);
    file.write(header);
    const std::size_t stride = imaging::Bitmap::StrideFor(picture.width());
    imaging::Bitmap band(picture.width(), std::min(kBandRows, std::max(1, picture.height())));
    std::vector<std::uint8_t> out(stride * static_cast<std::size_t>(band.height()), 0);
    // Bands from the bottom up, as the file holds the rows. The top band may be
    // shorter: the band's rows below it are composed too but not written.
    for (int end = picture.height(); end > 0; end -= band.height()) {
        const int first = std::max(0, end - band.height());
        const int rows = end - first;
        std::memcpy(band.data(), picture.row(first), stride * static_cast<std::size_t>(rows));
        OverlayTextLayerRows(band, layer, picture.height(), first);
        for (int y = rows - 1, i = 0; y >= 0; --y, ++i)
            PutRow(out.data() + stride * static_cast<std::size_t>(i), band.row(y), picture.width());
        file.write({out.data(), stride * static_cast<std::size_t>(rows)});
    }
    file.commit();
}

}  // namespace dorvane::compose
