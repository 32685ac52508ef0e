// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/bmp_writer.h"

#include "platform/atomic_file.h"

namespace dorvane::compose {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Bitmap& picture) {
    constexpr std::uint32_t kHeaders = 14 + 40;
    const std::size_t stride = Bitmap::StrideFor(picture.width());
    const auto imageBytes =
        static_cast<std::uint32_t>(stride * static_cast<std::size_t>(picture.height()));
    std::vector<std::uint8_t> out;
    out.reserve(kHeaders + imageBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, kHeaders + imageBytes);
    Put32(out, 0);  // reserved
    Put32(out, kHeaders);
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
    for (int y = picture.height() - 1; y >= 0; --y) {
        const std::uint8_t* row = picture.row(y);
        for (int x = 0; x < picture.width(); ++x) {
            out.push_back(row[3 * x + 2]);
            out.push_back(row[3 * x + 1]);
            out.push_back(row[3 * x]);
        }
        for (std::size_t pad = static_cast<std::size_t>(picture.width()) * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

void WriteBmpFile(const std::filesystem::path& path, const Bitmap& picture) {
    platform::WriteFileAtomically(path, EncodeBmp(picture));
}

}  // namespace dorvane::compose
