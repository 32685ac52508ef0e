// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/bmp_writer.h"

#include <algorithm>
#include <cstring>

#include "compose/overlay.h"
#include "imaging/channel_order.h"
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
    imaging::SwapRedBlue(from, to, width);
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
    const int width = picture.width();
    const std::size_t stride = imaging::Bitmap::StrideFor(width);
    const int bandRows = std::min(kBandRows, std::max(1, picture.height()));
    std::vector<std::uint8_t> out(stride * static_cast<std::size_t>(bandRows), 0);
    // Rows without text go from the picture straight into the file's order; only
    // those the text covers are copied and composed first.
    const auto [textFirst, textEnd] = OverlaidRows(layer, picture.height());
    imaging::Bitmap composed;
    // Bands from the bottom up, as the file holds the rows.
    for (int end = picture.height(); end > 0; end -= bandRows) {
        const int first = std::max(0, end - bandRows);
        const int t0 = std::clamp(textFirst, first, end), t1 = std::clamp(textEnd, first, end);
        if (t1 > t0) {
            if (composed.empty()) composed.resize(width, bandRows);
            std::memcpy(composed.data(), picture.row(t0),
                        stride * static_cast<std::size_t>(t1 - t0));
            // The band's rows past t1 are composed too but not used.
            OverlayTextLayerRows(composed, layer, picture.height(), t0);
        }
        std::uint8_t* to = out.data();
        for (int y = end - 1; y >= first; --y, to += stride)
            PutRow(to, y >= t0 && y < t1 ? composed.row(y - t0) : picture.row(y), width);
        file.write({out.data(), stride * static_cast<std::size_t>(end - first)});
    }
    file.commit();
}

}  // namespace dorvane::compose
