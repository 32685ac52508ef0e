// SPDX-License-Identifier: GPL-3.0-or-later
// The resources page viewer: the page, then its pictures, then one more layout.
#include "pages/resources_viewer.h"

#include <QBuffer>
#include <QImageReader>

#include "htmlview/charset.h"

namespace dorvane::pages {
namespace {

// The failure page's own link; no page on the web can be named so.
constexpr const char* kRetryLink = "dorvane-retry:";

}  // namespace

QByteArray WithServerCharset(const QByteArray& body, const QString& contentType) {
    static const QByteArray kBom("\xEF\xBB\xBF");
    htmlview::Charset declared;
    const bool utf8 = contentType.contains(QLatin1String("charset=utf-8"), Qt::CaseInsensitive);
    if (!utf8 || body.startsWith(kBom) || htmlview::DeclaredCharset(body, &declared)) return body;
    return kBom + body;
}

ResourcesViewer::ResourcesViewer(QWidget* parent)
    : QWidget(parent), view_(new htmlview::HtmlView(this)) {
    view_->setObjectName("htmlResources");
    view_->setGeometry(0, 0, kPageWidth, 412);
    htmlview::ViewSettings s = view_->settings();
    s.marginWidth = 8;
    s.marginHeight = 6;
    s.scrollBars = htmlview::ScrollBars::Vertical;
    s.charSet = 0;  // pages that name no character set: Western
    view_->setSettings(s);
    view_->OnImageRequest = [this](htmlview::HtmlView&, const QString& source) {
        const auto it = images_.constFind(source);
        if (it != images_.constEnd()) return *it;
        if (!requested_.contains(source) && requested_.size() < limits.maxImages) {
            requested_.insert(source);
            waiting_.push_back(source);
        }
        return QByteArray();
    };
    view_->OnHotSpotClick = [this](htmlview::HtmlView&, const QString& target, bool& handled) {
        handled = true;
        linkClicked(target);
    };
    reload_.setSingleShot(true);
    reload_.setInterval(50);  // pictures that come close together: one layout
    connect(&reload_, &QTimer::timeout, this, [this] {
        const int y = view_->scrollY();
        load();
        view_->setScrollY(y);
    });
}

ResourcesViewer::~ResourcesViewer() = default;

void ResourcesViewer::dropTransfers() {
    page_.reset();
    imageFetches_.clear();
    waiting_.clear();
    reload_.stop();
}

void ResourcesViewer::navigate(const QUrl& url) {
    dropTransfers();
    askedUrl_ = url;
    fragment_ = url.fragment();
    page_.reset(new BoundedFetch(
        network_, url, limits.page, [this](const FetchResult& r) { pageFetched(r); }, this));
}

void ResourcesViewer::pageFetched(const FetchResult& r) {
    page_.reset();
    images_.clear();
    requested_.clear();
    imageBytesUsed_ = imagePixelsUsed_ = 0;
    if (r.status != FetchResult::Status::Ok) {
        showFailure();
        return;
    }
    failed_ = false;
    pageUrl_ = r.url;
    pageBytes_ = WithServerCharset(r.body, r.contentType);
    load();
    if (!fragment_.isEmpty()) view_->positionTo(fragment_);
    emit pageShown(true);
    startImages();
}

void ResourcesViewer::showFailure() {
    failed_ = true;
    pageUrl_.clear();
    pageBytes_ = QByteArray("<p>") + kPageFailedLine + "</p><p><a href=\"" + kRetryLink + "\">" +
                 kTryAgainText + "</a></p>";
    // Only an address the viewer would fetch is offered to the browser.
    const QString address = askedUrl_.toString(QUrl::FullyEncoded);  // ASCII only
    if (askedUrl_.isValid() && (askedUrl_.scheme() == "http" || askedUrl_.scheme() == "https")) {
        const QByteArray escaped = address.toHtmlEscaped().toUtf8();
        pageBytes_ += QByteArray("<p>") + kOpenInBrowserText + "<br><a href=\"" + escaped + "\">" +
                      escaped + "</a></p>";
    }
    load();
    emit pageShown(false);
}

void ResourcesViewer::load() {
    try {
        view_->loadFromString(pageBytes_);
    } catch (const std::exception&) {
        // Only our own image handler could throw, and it does not.
    }
}

void ResourcesViewer::startImages() {
    while (!waiting_.empty() && int(imageFetches_.size()) < limits.imagesAtOnce) {
        const QString source = waiting_.front();
        waiting_.pop_front();
        const QUrl url = pageUrl_.resolved(QUrl(source));
        const int id = ++lastFetch_;
        imageFetches_[id].reset(new BoundedFetch(
            network_, url, limits.image,
            [this, id, source](const FetchResult& r) {
                imageFetches_.erase(id);  // deleted later, not while it calls us
                imageFetched(source, r);
            },
            this));
    }
    if (waiting_.empty() && imageFetches_.empty() && !requested_.isEmpty()) emit imagesDone();
}

void ResourcesViewer::imageFetched(const QString& source, const FetchResult& r) {
    if (r.status == FetchResult::Status::Ok && acceptImage(r.body)) {
        images_.insert(source, r.body);
        reload_.start();
    }
    startImages();
}

bool ResourcesViewer::acceptImage(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const QSize size = QImageReader(&buffer).size();
    if (!size.isValid()) return false;
    const qint64 pixels = qint64(size.width()) * size.height();
    if (imageBytesUsed_ + bytes.size() > limits.imageBytes ||
        imagePixelsUsed_ + pixels > limits.imagePixels)
        return false;
    imageBytesUsed_ += bytes.size();
    imagePixelsUsed_ += pixels;
    return true;
}

void ResourcesViewer::linkClicked(const QString& target) {
    if (failed_ && target == QLatin1String(kRetryLink)) return navigate(askedUrl_);
    const QUrl url = pageUrl_.resolved(QUrl(target));
    if (url.hasFragment() &&
        url.adjusted(QUrl::RemoveFragment) == pageUrl_.adjusted(QUrl::RemoveFragment)) {
        view_->positionTo(url.fragment());  // a place on this page
        return;
    }
    const QString scheme = url.scheme();
    if ((scheme == "http" || scheme == "https" || scheme == "mailto") && onOpenLink)
        onOpenLink(url.toString().toStdString());
}

}  // namespace dorvane::pages
