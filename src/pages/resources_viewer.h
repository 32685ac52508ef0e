// SPDX-License-Identifier: GPL-3.0-or-later
// The in-window page viewer of the resources page (the window's WebBrowser): it
// fetches a web page and its images with Qt Network, without cache or history and
// within limits, and shows them in our own HTML view. Links open in the person's
// own web browser; a page that fails to load shows one short line instead, with a
// link that tries again and the page's address to open in a web browser.
//
// Why our HtmlView and not QTextBrowser: QTextBrowser draws a small CSS-styled
// page more faithfully (colours, floats, style sheets), but its layout has no
// bound on hostile input, and the viewer shows whatever the network returns (a
// captive portal's page, a misconfigured site) on the window's only thread.
// Measured with Qt 6.4: 20 nested tables take 23 s, a 300 KB word 14 s,
// cellspacing=100000000 or 3,000 lines at line-height 99999px never finish.
// Our view lays out 5 MB and 10,000 nested tables in bounded time, renders the
// ordinary page's headings, paragraphs, lists, tables, links and pictures, and
// looks like the program's other pages; it skips style sheets.
//
// The view is always laid out 529 pixels wide: the window shrinks the viewer to
// 1 pixel at the back, which only clips it, so bringing it forward is instant.
#pragma once

#include <QHash>
#include <QNetworkAccessManager>
#include <QSet>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <deque>
#include <functional>
#include <map>
#include <string>

#include "htmlview/html_view.h"
#include "pages/bounded_fetch.h"

namespace dorvane::pages {

inline constexpr const char* kPageFailedLine = "This page could not be loaded.";
inline constexpr const char* kTryAgainText = "Try again";
inline constexpr const char* kOpenInBrowserText = "To open it in your web browser:";

struct ViewerLimits {
    FetchLimits page;                       // 4 MB, 5 redirects, 15 s
    FetchLimits image;                      // the same for each picture
    int maxImages = 32;                     // distinct pictures fetched for a page
    int imagesAtOnce = 4;                   // transfers running together
    qint64 imageBytes = 16 * 1024 * 1024;   // all the page's pictures, as sent
    qint64 imagePixels = 24 * 1024 * 1024;  // all the page's pictures, decoded
};

class ResourcesViewer : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPageWidth = 529;

    explicit ResourcesViewer(QWidget* parent = nullptr);
    ~ResourcesViewer() override;

    // Starts loading the page (a "#fragment" is scrolled to once it is shown);
    // whatever was loading before is dropped. The old page stays until then.
    void navigate(const QUrl& url);

    // True while the view shows the failure line of the last page asked for.
    bool failed() const { return failed_; }

    htmlview::HtmlView& view() { return *view_; }
    // Web and mail links clicked in the page; other schemes are ignored.
    std::function<void(const std::string& url)> onOpenLink;
    ViewerLimits limits;

signals:
    void pageShown(bool loaded);  // the page, or the failure line, is in the view
    void imagesDone();            // every picture of the page has come or failed

private:
    void pageFetched(const FetchResult& r);
    void showFailure();
    void load();
    void startImages();
    void imageFetched(const QString& source, const FetchResult& r);
    bool acceptImage(const QByteArray& bytes);
    void linkClicked(const QString& target);
    void dropTransfers();

    htmlview::HtmlView* view_;
    QNetworkAccessManager network_;
    FetchPtr page_;
    QUrl pageUrl_;
    QUrl askedUrl_;  // what navigate was given, for "Try again"
    bool failed_ = false;
    QString fragment_;
    QByteArray pageBytes_;
    QHash<QString, QByteArray> images_;  // by the source as written in the page
    QSet<QString> requested_;
    std::deque<QString> waiting_;
    std::map<int, FetchPtr> imageFetches_;
    int lastFetch_ = 0;
    qint64 imageBytesUsed_ = 0;
    qint64 imagePixelsUsed_ = 0;
    QTimer reload_;  // lays the page out again once pictures have come
};

// The page's bytes as the view should read them: a UTF-8 byte order mark is put in
// front when the server says UTF-8 and the page itself names no character set.
QByteArray WithServerCharset(const QByteArray& body, const QString& contentType);

}  // namespace dorvane::pages
