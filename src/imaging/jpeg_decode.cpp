// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG decoding straight into the rows of a Bitmap.
//
// libjpeg reports fatal errors through error_exit, whose default calls exit().
// Ours longjmps back into the small step functions below, which hold no C++
// objects between setjmp and the libjpeg calls; the caller then throws.
#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "base/error.h"
#include "imaging/exif_orientation.h"
#include "imaging/jpeg.h"

// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace dorvane::imaging {
namespace {

// 2^28 pixels, the Bitmap's own limit: every real camera photograph fits, and a
// header that lies about its size is refused before anything is allocated.
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;

struct Decoder {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX] = {};

    Decoder() {
        info.err = jpeg_std_error(&errors);
        errors.error_exit = &OnError;
        errors.emit_message = &OnMessage;
        errors.output_message = [](j_common_ptr) {};  // nothing goes to stderr
        info.client_data = this;
        jpeg_create_decompress(&info);
    }
    ~Decoder() { jpeg_destroy_decompress(&info); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    static void OnError(j_common_ptr common) {
        auto* self = static_cast<Decoder*>(common->client_data);
        common->err->format_message(common, self->message);
        std::longjmp(self->jump, 1);
    }
    // Data that ends early is only a warning to libjpeg: it pads the rest of the
    // picture with grey, as every viewer shows an interrupted copy. That is fine
    // once the first row of blocks is real picture; a file that runs out before
    // it (a lying header with a few blocks) is refused. Other warnings are harmless.
    static void OnMessage(j_common_ptr common, int level) {
        const int code = common->err->msg_code;
        if (level >= 0 || (code != JWRN_JPEG_EOF && code != JWRN_HIT_MARKER)) return;
        const auto* info = reinterpret_cast<j_decompress_ptr>(common);
        if (info->input_scan_number <= 1 && info->input_iMCU_row == 0) OnError(common);
    }
};

// Each step returns false after a libjpeg error (the text is in decoder.message).
bool ReadHeader(Decoder& d, const std::uint8_t* bytes, std::size_t size) {
    if (setjmp(d.jump)) return false;
    jpeg_mem_src(&d.info, bytes, static_cast<unsigned long>(size));
    jpeg_read_header(&d.info, TRUE);
    return true;
}

bool Start(Decoder& d) {
    if (setjmp(d.jump)) return false;
    jpeg_start_decompress(&d.info);
    return true;
}

// Reads scan lines up to `end`; rows[y] is where line y goes.
bool ReadLines(Decoder& d, std::uint8_t** rows, JDIMENSION end) {
    if (setjmp(d.jump)) return false;
    while (d.info.output_scanline < end) {
        const JDIMENSION y = d.info.output_scanline;
        jpeg_read_scanlines(&d.info, rows + y, end - y);
    }
    return true;
}

// Reads CMYK lines up to `end` one at a time through `line`, converting each into rows[y].
bool ReadCmykLines(Decoder& d, std::uint8_t** rows, JDIMENSION end, std::uint8_t* line) {
    if (setjmp(d.jump)) return false;
    // Adobe's encoders (most CMYK JPEGs) store the inks inverted: 255 is no ink.
    const bool inverted = d.info.saw_Adobe_marker;
    while (d.info.output_scanline < end) {
        std::uint8_t* out = rows[d.info.output_scanline];
        JSAMPROW in = line;
        jpeg_read_scanlines(&d.info, &in, 1);
        for (JDIMENSION x = 0; x < d.info.output_width; ++x) {
            const std::uint8_t* p = line + 4 * x;
            const unsigned k = inverted ? p[3] : 255u - p[3];
            for (int c = 0; c < 3; ++c) {
                const unsigned v = inverted ? p[c] : 255u - p[c];
                out[3 * x + c] = static_cast<std::uint8_t>((v * k + 127) / 255);
            }
        }
    }
    return true;
}

bool Finish(Decoder& d) {
    if (setjmp(d.jump)) return false;
    jpeg_finish_decompress(&d.info);
    return true;
}

[[noreturn]] void Fail(const std::string& what, const char* reason) {
    throw base::Error("Cannot read picture " + what + ": " + reason);
}

// Decodes at 1/denominator(full size) of the full size; returns the full size.
Size Decode(std::span<const std::uint8_t> bytes, const std::string& what, Bitmap& target,
            const std::function<int(Size)>& denominator = {}) {
    Decoder d;
    if (!ReadHeader(d, bytes.data(), bytes.size())) Fail(what, d.message);
    const std::uint64_t pixels = std::uint64_t{d.info.image_width} * d.info.image_height;
    if (pixels > kMaxPixels)
        Fail(what, ("its size " + std::to_string(d.info.image_width) + "x" +
                    std::to_string(d.info.image_height) + " is larger than supported")
                       .c_str());

    const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    d.info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    const Size full{static_cast<int>(d.info.image_width), static_cast<int>(d.info.image_height)};
    d.info.scale_num = 1;
    d.info.scale_denom = denominator ? static_cast<unsigned>(denominator(full)) : 1u;
    d.info.dct_method = JDCT_ISLOW;
    d.info.do_block_smoothing = FALSE;
    if (!Start(d)) Fail(what, d.message);

    const int width = static_cast<int>(d.info.output_width);
    const int height = static_cast<int>(d.info.output_height);
    // The first row of blocks is decoded into a small band before the target
    // grows, so a huge header over a few bytes fails without a huge allocation.
    const int band = std::min(height, d.info.max_v_samp_factor * d.info.min_DCT_scaled_size);
    Bitmap first(width, band);
    std::vector<std::uint8_t*> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < band; ++y) rows[static_cast<std::size_t>(y)] = first.row(y);
    std::vector<std::uint8_t> line(cmyk ? std::size_t{4} * static_cast<std::size_t>(width) : 0);
    const auto read = [&](int end) {
        const auto stop = static_cast<JDIMENSION>(end);
        if (!(cmyk ? ReadCmykLines(d, rows.data(), stop, line.data())
                   : ReadLines(d, rows.data(), stop)))
            Fail(what, d.message);
    };
    read(band);
    // Reuse the target's pixels when the size already matches.
    if (target.width() != width || target.height() != height) target.resize(width, height);
    for (int y = 0; y < height; ++y) rows[static_cast<std::size_t>(y)] = target.row(y);
    for (int y = 0; y < band; ++y) std::memcpy(target.row(y), first.row(y), first.stride());
    read(height);
    if (!Finish(d)) Fail(what, d.message);
    return full;
}

}  // namespace

std::vector<std::uint8_t> ReadPictureFile(const std::filesystem::path& path) {
    const std::string what = "file " + path.string();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) Fail(what, std::strerror(errno));
    std::vector<std::uint8_t> bytes;
    std::error_code ignored;
    const std::uintmax_t expected = std::filesystem::file_size(path, ignored);
    if (!ignored) bytes.reserve(static_cast<std::size_t>(expected));
    std::uint8_t chunk[64 * 1024];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < sizeof chunk) break;
    }
    // A folder opens but cannot be read (EISDIR); so do failing disks.
    if (std::ferror(file.get())) Fail(what, std::strerror(errno));
    return bytes;
}

Bitmap DecodeJpeg(std::span<const std::uint8_t> bytes, const std::string& what) {
    Bitmap picture;
    Decode(bytes, what, picture);
    return picture;
}

Size ReadJpegSize(std::span<const std::uint8_t> bytes, const std::string& what) {
    Decoder d;
    if (!ReadHeader(d, bytes.data(), bytes.size())) Fail(what, d.message);
    return {static_cast<int>(d.info.image_width), static_cast<int>(d.info.image_height)};
}

void DecodeJpegInto(std::span<const std::uint8_t> bytes, const std::string& what, Bitmap& target) {
    Decode(bytes, what, target);
}

Size DecodeJpegReduced(std::span<const std::uint8_t> bytes, const std::string& what,
                       const std::function<int(Size)>& denominator, Bitmap& target) {
    return Decode(bytes, what, target, denominator);
}

void LoadPictureFromFile(Bitmap& target, const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = ReadPictureFile(path);
    Decode(bytes, "file " + path.string(), target);
    // A user's photo is shown upright, as the camera meant it.
    if (const int orientation = ReadExifOrientation(bytes); orientation != 1)
        target = Oriented(target, orientation);
}

}  // namespace dorvane::imaging
