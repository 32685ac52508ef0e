// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline JPEG encoder of the saved boards' preview, writing into memory.
#include <csetjmp>
#include <cstdio>
#include <new>
#include <string>

#include "base/error.h"
#include "imaging/jpeg.h"

// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace dorvane::imaging {
namespace {

constexpr std::size_t kChunk = 64 * 1024;

struct Encoder {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    jpeg_destination_mgr destination{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX] = {};
    std::vector<std::uint8_t>* out = nullptr;

    explicit Encoder(std::vector<std::uint8_t>& output) : out(&output) {
        info.err = jpeg_std_error(&errors);
        errors.error_exit = &OnError;
        errors.output_message = [](j_common_ptr) {};
        info.client_data = this;
        jpeg_create_compress(&info);
        destination.init_destination = &Init;
        destination.empty_output_buffer = &Grow;
        destination.term_destination = &Finish;
        info.dest = &destination;
    }
    ~Encoder() { jpeg_destroy_compress(&info); }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    static Encoder& Of(j_compress_ptr c) { return *static_cast<Encoder*>(c->client_data); }
    static void OnError(j_common_ptr common) {
        auto* self = static_cast<Encoder*>(common->client_data);
        common->err->format_message(common, self->message);
        std::longjmp(self->jump, 1);
    }
    // The output vector grows by whole chunks; Finish trims the unused tail.
    // No exception may cross libjpeg's C frames: a failed allocation becomes a
    // libjpeg error, which longjmps back to Compress.
    static void Resize(j_compress_ptr c, std::size_t size) {
        bool grown = true;
        try {
            Of(c).out->resize(size);
        } catch (const std::bad_alloc&) {
            grown = false;  // longjmp only once the handler is left
        }
        if (!grown) {
            c->err->msg_code = JERR_OUT_OF_MEMORY;
            c->err->error_exit(reinterpret_cast<j_common_ptr>(c));
        }
    }
    static void Init(j_compress_ptr c) {
        Encoder& e = Of(c);
        Resize(c, kChunk);
        c->dest->next_output_byte = e.out->data();
        c->dest->free_in_buffer = kChunk;
    }
    static boolean Grow(j_compress_ptr c) {
        Encoder& e = Of(c);
        const std::size_t used = e.out->size();
        Resize(c, used + kChunk);
        c->dest->next_output_byte = e.out->data() + used;
        c->dest->free_in_buffer = kChunk;
        return TRUE;
    }
    static void Finish(j_compress_ptr c) {
        Encoder& e = Of(c);
        e.out->resize(e.out->size() - c->dest->free_in_buffer);
    }
};

// Returns false after a libjpeg error; rows[y] is scan line y.
bool Compress(Encoder& e, const Bitmap& picture, int quality, const std::vector<JSAMPROW>& rows) {
    if (setjmp(e.jump)) return false;
    e.info.image_width = static_cast<JDIMENSION>(picture.width());
    e.info.image_height = static_cast<JDIMENSION>(picture.height());
    e.info.input_components = 3;
    e.info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&e.info);
    jpeg_set_quality(&e.info, quality, TRUE);
    jpeg_start_compress(&e.info, TRUE);
    while (e.info.next_scanline < e.info.image_height) {
        const JDIMENSION y = e.info.next_scanline;
        jpeg_write_scanlines(&e.info, const_cast<JSAMPROW*>(rows.data()) + y,
                             e.info.image_height - y);
    }
    jpeg_finish_compress(&e.info);
    return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const Bitmap& picture, int quality) {
    if (picture.empty())
        throw base::Error("Cannot encode a picture of " + std::to_string(picture.width()) + "x" +
                          std::to_string(picture.height()) + " pixels as JPEG");
    std::vector<JSAMPROW> rows(static_cast<std::size_t>(picture.height()));
    for (int y = 0; y < picture.height(); ++y)
        rows[static_cast<std::size_t>(y)] = const_cast<JSAMPROW>(picture.row(y));
    std::vector<std::uint8_t> bytes;
    Encoder e(bytes);
    if (!Compress(e, picture, quality, rows))
        throw base::Error(std::string("Cannot encode the picture as JPEG: ") + e.message);
    return bytes;
}

}  // namespace dorvane::imaging
