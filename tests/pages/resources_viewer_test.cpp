// SPDX-License-Identifier: GPL-3.0-or-later
// The resources page viewer against a local HTTP server: the page and its pictures,
// pages that fail in every way a server can make them fail, limits, and links.
#include "pages/resources_viewer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <QBuffer>
#include <QImage>
#include <QTest>
#include <atomic>
#include <chrono>
#include <map>

#include "../support/local_http_server.h"
#include "../support/qt_app.h"

namespace dorvane::pages {
namespace {

using namespace std::chrono_literals;
using Response = LocalHttpServer::Response;

// `plain` compressed whole, with a gzip header (windowBits 31) or a zlib one (15).
std::string Compressed(const std::string& plain, int windowBits) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, windowBits, 9, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, plain.size()), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(plain.data()));
    z.avail_in = static_cast<uInt>(plain.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::string Png(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(70, 130, 180));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

std::string ResourcesPage() {
    std::string page =
        "<html><head><style>h1 { color: red }</style></head><body><a name=top></a>"
        "<h1>Goal-setting resources</h1><p><img src=\"img/sun.png\">Books and worksheets.</p>";
    for (int i = 0; i < 40; ++i) page += "<p>Paragraph " + std::to_string(i) + "</p>";
    return page + "<a name=books></a><h2>Books</h2></body></html>";
}

struct Viewer {
    QApplication& app = QtApp();
    ResourcesViewer viewer;
    std::vector<bool> shown;
    bool imagesDone = false;
    std::vector<std::string> opened;

    Viewer() {
        viewer.resize(1, 412);  // at the back, as the window keeps it
        viewer.show();
        QObject::connect(&viewer, &ResourcesViewer::pageShown,
                         [this](bool ok) { shown.push_back(ok); });
        QObject::connect(&viewer, &ResourcesViewer::imagesDone, [this] { imagesDone = true; });
        viewer.onOpenLink = [this](const std::string& url) { opened.push_back(url); };
    }
    bool Open(const std::string& url, int waitMs = 5000) {
        shown.clear();
        imagesDone = false;
        viewer.navigate(QUrl(QString::fromStdString(url)));
        return QTest::qWaitFor([this] { return !shown.empty(); }, waitMs);
    }
    QString Text() {
        viewer.view().selectAll();
        return viewer.view().selectedText();
    }
    QString FirstLine() {
        return Text()
            .trimmed()
            .section(QChar::ParagraphSeparator, 0, 0)
            .section('\n', 0, 0)
            .trimmed();
    }
    void Click(const char* href) {
        bool handled = false;
        viewer.view().OnHotSpotClick(viewer.view(), href, handled);
    }
};

TEST(ResourcesViewer, ShowsThePageAndThenItsPicturesLaidOut529Wide) {
    LocalHttpServer server([](const std::string& path) {
        if (path == "/img/sun.png") return Response::Page(Png(120, 80), "image/png");
        return Response::Page(ResourcesPage());
    });
    Viewer v;
    ASSERT_TRUE(v.Open(server.base() + "/resources.htm#books"));
    EXPECT_EQ(v.shown, std::vector<bool>{true});
    EXPECT_TRUE(v.Text().contains("Goal-setting resources"));
    EXPECT_FALSE(v.Text().contains("color"));  // style sheets are not text
    EXPECT_EQ(v.viewer.view().width(), ResourcesViewer::kPageWidth);
    const int atBooks = v.viewer.view().scrollY();
    EXPECT_GT(atBooks, 0);
    ASSERT_TRUE(QTest::qWaitFor([&v] { return v.imagesDone; }, 20000));
    QTest::qWait(0);
    ASSERT_TRUE(QTest::qWaitFor(
        [&v] { return v.viewer.view().image(0).rect.size() == QSize(120, 80); }, 2000));
    EXPECT_EQ(v.viewer.view().imageBitmap(0).size(), QSize(120, 80));
    EXPECT_EQ(v.viewer.view().scrollY(), atBooks);  // the new layout keeps the place
    // The fragment is not sent; the picture's address is relative to the page.
    EXPECT_EQ(server.paths(), (std::vector<std::string>{"/resources.htm", "/img/sun.png"}));
}

TEST(ResourcesViewer, APageThatFailsShowsOneLine) {
    std::string refused;
    {
        LocalHttpServer gone([](const std::string&) { return Response(); });
        refused = gone.base() + "/resources.htm";
    }
    LocalHttpServer server([](const std::string& path) {
        if (path == "/404") return Response::Status(404, "<h1>Not here</h1>");
        if (path == "/500") return Response::Status(500, "<h1>Broken</h1>");
        if (path == "/endless") return Response::Of(Response::Kind::Endless);
        if (path == "/silent") return Response::Of(Response::Kind::Silent);
        if (path == "/huge") {
            Response r = Response::Page("<p>x");
            r.declaredLength = 5 << 20;
            return r;
        }
        if (path == "/to-file") return Response::Redirect("file:///etc/passwd");
        if (path.starts_with("/hop")) {
            const int left = std::stoi(path.substr(4));
            if (left > 0) return Response::Redirect("/hop" + std::to_string(left - 1));
        }
        return Response::Page("<p>Arrived</p>");
    });
    const std::string base = server.base();
    struct Row {
        std::string url;
        bool loaded;
    };
    const Row rows[] = {
        {base + "/hop5", true},          {base + "/hop6", false},    {base + "/404", false},
        {base + "/500", false},          {base + "/endless", false}, {base + "/silent", false},
        {base + "/huge", false},         {base + "/to-file", false}, {refused, false},
        {"file:///etc/hostname", false},
    };
    Viewer v;
    v.viewer.limits.page.maxBytes = 1 << 20;
    v.viewer.limits.page.timeLimit = 800ms;
    for (const Row& r : rows) {
        ASSERT_TRUE(v.Open(r.url, 60000)) << r.url;
        EXPECT_EQ(v.shown, std::vector<bool>{r.loaded}) << r.url;
        EXPECT_EQ(v.FirstLine(), r.loaded ? "Arrived" : kPageFailedLine) << r.url;
    }
    // The endless body was cut off: the client hung up, the server did not stop.
    EXPECT_TRUE(QTest::qWaitFor([&server] { return server.endlessClosedByClient() == 1; }, 5000));
}

TEST(ResourcesViewer, CompressedPagesCountTheirDecompressedSize) {
    const std::string arrived = "<p>Arrived</p>";
    const std::string bomb = Compressed(std::string(16 << 20, ' '), 31);  // 16 MB in 16 KB
    std::string corrupt = Compressed(arrived + std::string(1000, ' '), 31);
    corrupt[corrupt.size() / 2] ^= 0x55;
    const std::map<std::string, std::pair<std::string, std::string>> bodies = {
        {"/gzip", {"gzip", Compressed(arrived, 31)}},
        {"/x-gzip", {"x-gzip", Compressed(arrived, 31)}},
        {"/deflate", {"deflate", Compressed(arrived, 15)}},
        {"/identity", {"identity", arrived}},
        {"/bomb", {"gzip", bomb}},
        {"/cut", {"gzip", Compressed(arrived, 31).substr(0, 12)}},
        {"/corrupt", {"gzip", corrupt}},
        {"/brotli", {"br", arrived}},
        {"/twice", {"gzip, gzip", Compressed(Compressed(arrived, 31), 31)}},
    };
    LocalHttpServer server([&bodies](const std::string& path) {
        Response r = Response::Page(bodies.at(path).second);
        r.encoding = bodies.at(path).first;
        return r;
    });
    struct Row {
        const char* path;
        bool loaded;
    };
    const Row rows[] = {{"/gzip", true},     {"/x-gzip", true},  {"/deflate", true},
                        {"/identity", true}, {"/bomb", false},   {"/cut", false},
                        {"/corrupt", false}, {"/brotli", false}, {"/twice", false}};
    Viewer v;
    v.viewer.limits.page.maxBytes = 1 << 20;
    v.viewer.limits.page.timeLimit = 600s;  // the bomb must stop at the size limit, not here
    for (const Row& r : rows) {
        ASSERT_TRUE(v.Open(server.base() + r.path, 60000)) << r.path;
        EXPECT_EQ(v.shown, std::vector<bool>{r.loaded}) << r.path;
        EXPECT_EQ(v.FirstLine(), r.loaded ? "Arrived" : kPageFailedLine) << r.path;
    }
}

TEST(ResourcesViewer, AFailedPageOffersToTryAgainAndItsAddress) {
    std::atomic<bool> up = false;
    LocalHttpServer server([&up](const std::string&) {
        return up ? Response::Page("<p>Arrived</p>") : Response::Status(503);
    });
    const std::string url = server.base() + "/resources.htm#top";
    Viewer v;
    ASSERT_TRUE(v.Open(url, 60000));
    EXPECT_TRUE(v.viewer.failed());
    EXPECT_TRUE(v.Text().contains(kTryAgainText));
    EXPECT_TRUE(v.Text().contains(QString::fromStdString(url)));
    v.Click(url.c_str());  // the address goes to the web browser
    EXPECT_EQ(v.opened, std::vector<std::string>{url});
    up = true;
    v.shown.clear();
    v.Click("dorvane-retry:");
    ASSERT_TRUE(QTest::qWaitFor([&v] { return !v.shown.empty(); }, 60000));
    EXPECT_EQ(v.shown, std::vector<bool>{true});
    EXPECT_FALSE(v.viewer.failed());
    EXPECT_EQ(v.FirstLine(), "Arrived");
    v.Click("dorvane-retry:");  // not a link of a page that loaded
    EXPECT_EQ(server.paths().size(), 2u);
}

TEST(ResourcesViewer, PicturesStayWithinTheirLimits) {
    LocalHttpServer server([](const std::string& path) {
        if (path == "/endless.png") return Response::Of(Response::Kind::Endless);
        if (path == "/silent.png") return Response::Of(Response::Kind::Silent);
        if (path.starts_with("/p")) return Response::Page(Png(100, 100), "image/png");
        std::string page = "<img src=endless.png><img src=silent.png>";
        for (int i = 0; i < 60; ++i) page += "<img src=p" + std::to_string(i) + ".png>";
        return Response::Page(page);
    });
    Viewer v;
    v.viewer.limits.maxImages = 10;
    v.viewer.limits.image.maxBytes = 100000;
    v.viewer.limits.image.timeLimit = 1500ms;
    v.viewer.limits.imagePixels = 5 * 100 * 100;  // five of the eight small ones
    ASSERT_TRUE(v.Open(server.base() + "/"));
    ASSERT_TRUE(QTest::qWaitFor([&v] { return v.imagesDone; }, 20000));
    EXPECT_EQ(server.paths().size(), 1u + 10u);
    ASSERT_TRUE(QTest::qWaitFor(
        [&v] {
            return !v.viewer.view().imageBitmap(v.viewer.view().imageCount() - 1).isNull() ||
                   !v.viewer.view().imageBitmap(2).isNull();
        },
        2000));
    int pictures = 0;
    for (int i = 0; i < v.viewer.view().imageCount(); ++i)
        pictures += v.viewer.view().imageBitmap(i).isNull() ? 0 : 1;
    EXPECT_EQ(pictures, 5);
}

TEST(ResourcesViewer, LinksOpenInTheBrowserAndAnchorsScroll) {
    LocalHttpServer server([](const std::string&) { return Response::Page(ResourcesPage()); });
    Viewer v;
    ASSERT_TRUE(v.Open(server.base() + "/dir/resources.htm#top"));
    const int top = v.viewer.view().scrollY();
    v.Click("#books");
    EXPECT_GT(v.viewer.view().scrollY(), top + 100);
    v.Click("resources.htm#top");  // this page, written out
    EXPECT_EQ(v.viewer.view().scrollY(), top);
    for (const char* href : {"other.htm", "/top.htm?a=1", "https://books.example/plan",
                             "mailto:support@dorvane.example", "file:///etc/passwd",
                             "javascript:alert(1)", "ftp://x.example/"})
        v.Click(href);
    const std::string base = server.base();
    EXPECT_EQ(v.opened, (std::vector<std::string>{base + "/dir/other.htm", base + "/top.htm?a=1",
                                                  "https://books.example/plan",
                                                  "mailto:support@dorvane.example"}));
    // The viewer itself went nowhere: the page and its picture were all it asked for.
    ASSERT_TRUE(QTest::qWaitFor([&v] { return v.imagesDone; }, 20000));
    EXPECT_EQ(server.paths(), (std::vector<std::string>{"/dir/resources.htm", "/dir/img/sun.png"}));
}

TEST(ResourcesViewer, ServerCharsetCountsWhenThePageNamesNone) {
    const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray plain("<p>caf\xC3\xA9</p>");
    const QByteArray named("<meta charset=\"iso-8859-1\"><p>caf\xE9</p>");
    EXPECT_EQ(WithServerCharset(plain, "text/html; charset=UTF-8"), bom + plain);
    EXPECT_EQ(WithServerCharset(plain, "text/html"), plain);
    EXPECT_EQ(WithServerCharset(named, "text/html; charset=utf-8"), named);
    EXPECT_EQ(WithServerCharset(bom + plain, "text/html; charset=utf-8"), bom + plain);
    LocalHttpServer server([&plain](const std::string&) {
        return Response::Page(plain.toStdString(), "text/html; charset=utf-8");
    });
    Viewer v;
    ASSERT_TRUE(v.Open(server.base() + "/"));
    EXPECT_EQ(v.Text().trimmed(), QString::fromUtf8("caf\xC3\xA9"));
}

}  // namespace
}  // namespace dorvane::pages
