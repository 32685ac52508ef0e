// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/thumbnail.h"

#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "gallery/fit.h"
#include "gallery/grid_geometry.h"
#include "gallery/scale.h"
#include "platform/error.h"

namespace dorvane::gallery {
namespace {

constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;  // as the full decoder

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    info->err->format_message(info, err->message);
    std::longjmp(err->jump, 1);
}

// As in the full decoder: data that ends early is an error, other warnings pass.
void OnMessage(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) OnError(info);
}

Bitmap Centre(const Bitmap& fitted) {
    Bitmap thumb(kThumbWidth, kThumbHeight);
    thumb.fill(0xFFFFFF);
    const int x0 = (kThumbWidth - fitted.width()) / 2;
    const int y0 = (kThumbHeight - fitted.height()) / 2;
    for (int y = 0; y < fitted.height(); ++y)
        std::copy_n(fitted.row(y), fitted.width() * 3, thumb.row(y + y0) + x0 * 3);
    return thumb;
}

// Decodes at 1/denominator; the size check runs on the full size from the header.
// Locals that live across setjmp are kept in the caller-owned structs only.
void DecodeScaled(jpeg_decompress_struct& info, ErrorManager& err, const std::string& what,
                  Bitmap& out) {
    if (setjmp(err.jump)) {
        throw Error("Cannot decode JPEG " + what + ": " + err.message);
    }
    jpeg_read_header(&info, TRUE);
    if (static_cast<std::uint64_t>(info.image_width) * info.image_height > kMaxPixels ||
        info.image_width == 0 || info.image_height == 0)
        throw Error("Picture " + what + " is too large");
    info.out_color_space = (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK)
                               ? JCS_CMYK
                               : JCS_RGB;
    info.scale_num = 1;
    info.scale_denom = static_cast<unsigned>(ThumbnailScaleDenominator(
        static_cast<int>(info.image_width), static_cast<int>(info.image_height)));
    info.dct_method = JDCT_ISLOW;
    info.do_block_smoothing = FALSE;
    jpeg_start_decompress(&info);
    out.resize(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    std::vector<JSAMPLE> cmyk(info.out_color_space == JCS_CMYK ? info.output_width * 4 : 0);
    while (info.output_scanline < info.output_height) {
        std::uint8_t* row = out.row(static_cast<int>(info.output_scanline));
        JSAMPROW target = cmyk.empty() ? row : cmyk.data();
        jpeg_read_scanlines(&info, &target, 1);
        for (std::size_t x = 0; !cmyk.empty() && x < info.output_width; ++x)
            for (int c = 0; c < 3; ++c)  // Adobe CMYK is stored inverted
                row[x * 3 + c] = static_cast<std::uint8_t>(cmyk[x * 4 + c] * cmyk[x * 4 + 3] / 255);
    }
    jpeg_finish_decompress(&info);
}

}  // namespace

int ThumbnailScaleDenominator(int fullWidth, int fullHeight) {
    const Size fit = FitSize(fullWidth, fullHeight, kThumbWidth, kThumbHeight);
    for (int d = 8; d > 1; d /= 2) {
        const int w = (fullWidth + d - 1) / d;  // libjpeg rounds scaled sizes up
        const int h = (fullHeight + d - 1) / d;
        if (w >= 2 * fit.width && h >= 2 * fit.height) return d;
    }
    return 1;
}

Bitmap MakeThumbnail(const Bitmap& picture) {
    const Size fit = FitSize(picture.width(), picture.height(), kThumbWidth, kThumbHeight);
    Bitmap fitted(fit.width, fit.height);
    ScaleBitmap(picture, fitted);
    return Centre(fitted);
}

Bitmap ThumbnailFromJpeg(std::span<const std::uint8_t> bytes, const std::string& what) {
    if (bytes.empty()) throw Error("Cannot decode JPEG " + what + ": the file is empty");
    jpeg_decompress_struct info{};
    ErrorManager err{};
    info.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.emit_message = OnMessage;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    Bitmap reduced;
    try {
        DecodeScaled(info, err, what, reduced);
    } catch (...) {
        jpeg_destroy_decompress(&info);
        throw;
    }
    const Size full{static_cast<int>(info.image_width), static_cast<int>(info.image_height)};
    jpeg_destroy_decompress(&info);
    // The fitted size follows from the full size, so acceptance matches a full decode.
    const Size fit = FitSize(full.width, full.height, kThumbWidth, kThumbHeight);
    if (!(fit == Size{reduced.width(), reduced.height()}) && (fit.width < 1 || fit.height < 2))
        throw Error("Cannot make a thumbnail of " + what);
    Bitmap fitted(fit.width, fit.height);
    ScaleBitmap(reduced, fitted);
    return Centre(fitted);
}

Bitmap ThumbnailFromFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) throw Error("Cannot open " + path.string());
    const std::streamoff size = in.tellg();
    if (size < 0) throw Error("Cannot read " + path.string());
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size))
        throw Error("Cannot read " + path.string());
    return ThumbnailFromJpeg(bytes, path.string());
}

}  // namespace dorvane::gallery
