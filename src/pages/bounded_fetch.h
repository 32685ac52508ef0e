// SPDX-License-Identifier: GPL-3.0-or-later
// One HTTP(S) GET with limits: a size cap on the body (counted after decompression),
// a redirect cap, a time limit for the whole transfer, no cache. What the in-window
// page viewer fetches with.
#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <functional>
#include <memory>

#include "pages/content_decoding.h"

class QNetworkReply;

namespace dorvane::pages {

struct FetchLimits {
    qint64 maxBytes = 4 * 1024 * 1024;
    int maxRedirects = 5;
    std::chrono::milliseconds timeLimit{15000};
};

struct FetchResult {
    enum class Status { Ok, Failed, TooLarge, TimedOut };
    Status status = Status::Failed;
    QByteArray body;      // empty unless Ok
    QUrl url;             // where the body came from, after redirects
    QString contentType;  // the Content-Type header as sent
};

class BoundedFetch : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(const FetchResult&)>;

    // Starts at once. `done` runs exactly once, from the event loop, unless the fetch
    // is cancelled or destroyed first. Only http and https addresses are fetched,
    // and redirects may not leave them or go from https to http.
    // The parent, when given, deletes a fetch that is still pending when it goes.
    BoundedFetch(QNetworkAccessManager& network, const QUrl& url, const FetchLimits& limits,
                 Done done, QObject* parent = nullptr);
    ~BoundedFetch() override;

    // Stops the transfer; `done` will not run.
    void cancel();

private:
    void get(const QUrl& url);
    int status() const;
    void onMetaData();
    bool ensureDecoder();
    void onReadyRead();
    void onFinished();
    void followRedirect();
    void dropReply();
    void finish(FetchResult::Status status);

    QNetworkAccessManager& network_;
    int redirectsLeft_;
    QPointer<QNetworkReply> reply_;
    QTimer deadline_;
    QByteArray body_;  // decoded
    std::unique_ptr<ContentDecoder> decoder_;
    qint64 maxBytes_;
    Done done_;
};

// Ends a fetch from anywhere, its own callback included: cancelled at once,
// deleted by the event loop.
struct CancelLater {
    void operator()(BoundedFetch* f) const {
        f->cancel();
        f->deleteLater();
    }
};
using FetchPtr = std::unique_ptr<BoundedFetch, CancelLater>;

}  // namespace dorvane::pages
