// SPDX-License-Identifier: GPL-3.0-or-later
// Undoes a response's Content-Encoding (gzip or deflate) as its bytes come, so
// that the size limit counts what the page really is, not what went over the wire:
// a small compressed body may stand for gigabytes.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <memory>

namespace dorvane::pages {

class ContentDecoder {
public:
    enum class Status { More, TooLarge, Invalid };

    // The decoder for a Content-Encoding header, or nothing when the encoding is
    // one we do not undo (br, zstd, several layers...). "" and identity pass
    // the bytes through.
    static std::unique_ptr<ContentDecoder> For(QByteArrayView contentEncoding);
    ~ContentDecoder();
    ContentDecoder(const ContentDecoder&) = delete;
    ContentDecoder& operator=(const ContentDecoder&) = delete;

    // Appends what `in` decodes to to `out`. Stops with TooLarge as soon as `out`
    // would pass `limit`, so no more than `limit` plus one small piece is ever held.
    Status feed(QByteArrayView in, QByteArray& out, qint64 limit);
    // True once the whole encoded stream has come (always true for identity).
    bool complete() const;

private:
    struct Inflater;
    explicit ContentDecoder(std::unique_ptr<Inflater> inflater);
    std::unique_ptr<Inflater> inflater_;  // none for identity
};

}  // namespace dorvane::pages
