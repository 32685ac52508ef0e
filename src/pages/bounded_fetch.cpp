// SPDX-License-Identifier: GPL-3.0-or-later
// The bounded GET: Qt Network with every limit applied as the bytes come.
#include "pages/bounded_fetch.h"

#include <QNetworkReply>
#include <QNetworkRequest>

namespace dorvane::pages {
namespace {

bool IsWebScheme(const QUrl& u) {
    return u.scheme() == "http" || u.scheme() == "https";
}

// Qt keeps at most this much of a body unread, so an endless body never piles up,
// even while the window's thread is busy. (Qt 6.4 stalls when a reply with a read
// buffer limit follows redirects itself, so the redirects are followed here.)
constexpr qint64 kReadBuffer = 64 * 1024;

bool IsRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

}  // namespace

BoundedFetch::BoundedFetch(QNetworkAccessManager& network, const QUrl& url,
                           const FetchLimits& limits, Done done, QObject* parent)
    : QObject(parent),
      network_(network),
      redirectsLeft_(limits.maxRedirects),
      maxBytes_(limits.maxBytes),
      done_(std::move(done)) {
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] { finish(FetchResult::Status::TimedOut); });
    deadline_.start(limits.timeLimit);
    if (!IsWebScheme(url) || !url.isValid()) {
        // Reported from the event loop, as every other outcome.
        QTimer::singleShot(0, this, [this] { finish(FetchResult::Status::Failed); });
        return;
    }
    get(url);
}

BoundedFetch::~BoundedFetch() {
    cancel();
}

void BoundedFetch::get(const QUrl& url) {
    QNetworkRequest request(url.adjusted(QUrl::RemoveFragment));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    // Named here, Qt leaves the body as it came, and the decoder below counts
    // every decompressed byte against the limit.
    request.setRawHeader("Accept-Encoding", "gzip, deflate");
    reply_ = network_.get(request);
    reply_->setReadBufferSize(kReadBuffer);
    connect(reply_, &QNetworkReply::metaDataChanged, this, &BoundedFetch::onMetaData);
    connect(reply_, &QNetworkReply::readyRead, this, &BoundedFetch::onReadyRead);
    connect(reply_, &QNetworkReply::finished, this, &BoundedFetch::onFinished);
}

void BoundedFetch::dropReply() {
    if (!reply_) return;
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    disconnect(reply, nullptr, this, nullptr);
    // From the event loop: Qt objects to an abort from inside the reply's own signals.
    QTimer::singleShot(0, reply, [reply] {
        reply->abort();
        reply->deleteLater();
    });
}

void BoundedFetch::cancel() {
    done_ = nullptr;
    deadline_.stop();
    dropReply();
}

int BoundedFetch::status() const {
    return reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

void BoundedFetch::onMetaData() {
    if (IsRedirect(status())) return;  // its body is not kept
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > maxBytes_) finish(FetchResult::Status::TooLarge);
}

bool BoundedFetch::ensureDecoder() {
    if (!decoder_) decoder_ = ContentDecoder::For(reply_->rawHeader("Content-Encoding"));
    if (!decoder_) finish(FetchResult::Status::Failed);  // an encoding we cannot read
    return decoder_ != nullptr;
}

void BoundedFetch::onReadyRead() {
    if (IsRedirect(status())) {
        reply_->skip(reply_->bytesAvailable());
        return;
    }
    if (!ensureDecoder()) return;
    // Read in pieces, so that what is held stays near the limit even for a body
    // that decompresses a thousandfold.
    while (reply_ && reply_->bytesAvailable() > 0) {
        const QByteArray piece = reply_->read(kReadBuffer);
        switch (decoder_->feed(piece, body_, maxBytes_)) {
            case ContentDecoder::Status::More:
                break;
            case ContentDecoder::Status::TooLarge:
                return finish(FetchResult::Status::TooLarge);
            case ContentDecoder::Status::Invalid:
                return finish(FetchResult::Status::Failed);
        }
    }
}

void BoundedFetch::onFinished() {
    if (!reply_) return;
    onReadyRead();
    if (!reply_) return;  // over the limit
    const int code = status();
    if (IsRedirect(code)) return followRedirect();
    // Only a 2xx answer is a page.
    const bool ok = reply_->error() == QNetworkReply::NoError && code >= 200 && code < 300 &&
                    (!decoder_ || decoder_->complete());
    finish(ok ? FetchResult::Status::Ok : FetchResult::Status::Failed);
}

void BoundedFetch::followRedirect() {
    const QUrl from = reply_->url();
    const QUrl to = from.resolved(QUrl::fromEncoded(reply_->rawHeader("Location").trimmed()));
    const bool downgrade = from.scheme() == "https" && to.scheme() == "http";
    if (redirectsLeft_-- <= 0 || !IsWebScheme(to) || !to.isValid() || downgrade)
        return finish(FetchResult::Status::Failed);
    dropReply();
    body_.clear();
    decoder_.reset();
    get(to);
}

void BoundedFetch::finish(FetchResult::Status status) {
    if (!done_) return;
    FetchResult r;
    r.status = status;
    if (reply_) {
        r.url = reply_->url();
        r.contentType = reply_->header(QNetworkRequest::ContentTypeHeader).toString();
    }
    if (status == FetchResult::Status::Ok) r.body = std::move(body_);
    body_.clear();
    const Done done = std::move(done_);
    cancel();
    done(r);  // last: it may end this object
}

}  // namespace dorvane::pages
