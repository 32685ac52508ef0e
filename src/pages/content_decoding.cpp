// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/content_decoding.h"

#include <zlib.h>

#include <algorithm>

namespace dorvane::pages {

struct ContentDecoder::Inflater {
    z_stream stream{};
    bool ended = false;
    Inflater() {
        // 15 + 32: a gzip or a zlib header, whichever comes ("deflate" is sent both ways).
        if (inflateInit2(&stream, 15 + 32) != Z_OK) throw std::bad_alloc();
    }
    ~Inflater() { inflateEnd(&stream); }
};

std::unique_ptr<ContentDecoder> ContentDecoder::For(QByteArrayView contentEncoding) {
    const QByteArray name = contentEncoding.toByteArray().trimmed().toLower();
    if (name.isEmpty() || name == "identity")
        return std::unique_ptr<ContentDecoder>(new ContentDecoder(nullptr));
    if (name == "gzip" || name == "x-gzip" || name == "deflate")
        return std::unique_ptr<ContentDecoder>(new ContentDecoder(std::make_unique<Inflater>()));
    return nullptr;
}

ContentDecoder::ContentDecoder(std::unique_ptr<Inflater> inflater)
    : inflater_(std::move(inflater)) {}

ContentDecoder::~ContentDecoder() = default;

bool ContentDecoder::complete() const {
    return !inflater_ || inflater_->ended;
}

ContentDecoder::Status ContentDecoder::feed(QByteArrayView in, QByteArray& out, qint64 limit) {
    if (out.size() > limit) return Status::TooLarge;
    if (!inflater_) {
        out.append(in.first(std::min<qint64>(in.size(), limit + 1 - out.size())));
        return out.size() > limit ? Status::TooLarge : Status::More;
    }
    z_stream& z = inflater_->stream;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = static_cast<uInt>(in.size());
    constexpr qint64 kPiece = 16 * 1024;
    // Bytes after the end of the stream are ignored, as a browser does.
    while (z.avail_in > 0 && !inflater_->ended) {
        const qint64 at = out.size();
        const qint64 room = std::min(kPiece, limit + 1 - at);
        out.resize(at + room);
        z.next_out = reinterpret_cast<Bytef*>(out.data() + at);
        z.avail_out = static_cast<uInt>(room);
        const int r = inflate(&z, Z_NO_FLUSH);
        out.resize(at + room - z.avail_out);
        if (r == Z_STREAM_END)
            inflater_->ended = true;
        else if (r != Z_OK && r != Z_BUF_ERROR)
            return Status::Invalid;
        if (out.size() > limit) return Status::TooLarge;
        if (r == Z_BUF_ERROR && z.avail_out != 0) break;  // wants more input
    }
    return Status::More;
}

}  // namespace dorvane::pages
