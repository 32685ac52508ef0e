// SPDX-License-Identifier: GPL-3.0-or-later
// Page 6: the resources page from a local web server inside the window when the
// online check says yes, the local page and its quotation when it says no.
#include <gtest/gtest.h>

#include <QLabel>
#include <atomic>

#include "../support/local_http_server.h"
#include "main_window_fixture.h"
#include "pages/page_texts.h"

namespace {

using Response = LocalHttpServer::Response;

// The words of the page, whatever the width it is laid out at.
QString Text(dorvane::htmlview::HtmlView& view) {
    view.selectAll();
    return view.selectedText().simplified();
}

QString ResourceText(const char* page) {
    dorvane::htmlview::HtmlView view;
    dorvane::pages::LoadHtmlPage(view, page);
    return Text(view);
}

struct OnlineWindow : MainWindowFixture {
    LocalHttpServer server{[](const std::string&) {
        return Response::Page("<h1>Goal-setting resources</h1><p>Books and worksheets.</p>");
    }};
    std::atomic<bool> online{true};  // asked on another thread
    std::atomic<int> checks{0};

    OnlineWindow() {
        configure = [this](dorvane::app::Services& s) {
            s.isOnline = [this] {
                ++checks;
                return online.load();
            };
            s.resourcesPageUrl = server.base() + "/resources.htm#top";
        };
    }
    QWidget* browser() const { return w->resourcesViewer(); }
    bool WebPageShown() const {
        return QTest::qWaitFor(
            [this] {
                return Text(w->resourcesViewer()->view()).contains("Goal-setting resources");
            },
            5000);
    }
    bool BrowserAtTheBack() const {
        return w->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).first() ==
               browser();
    }
    void Activate() {
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(w.get(), &activate);
    }
};

TEST(ResourcesPage, OnlineShowsTheWebPage529WideAndOtherPagesShrinkIt) {
    OnlineWindow f;
    auto& w = f.Start();  // becoming active sent the browser to the page already
    EXPECT_TRUE(w.resourcesPageLoaded());
    EXPECT_EQ(f.browser()->width(), 1);
    EXPECT_TRUE(f.BrowserAtTheBack());
    f.Click("imgAddRes");
    EXPECT_EQ(w.currentPage(), 6);
    EXPECT_EQ(f.browser()->geometry(), QRect(131, 66, 529, 412));
    EXPECT_EQ(f.Shown(), f.browser());
    EXPECT_EQ(f.Shown({600, 250}), f.browser());  // over the quotation column too
    ASSERT_TRUE(f.WebPageShown());
    for (const char* other :
         {"imgButton1", "imgButton2", "imgButton3", "imgButton4", "imgButton5", "imgAbout"}) {
        f.Click(other);
        EXPECT_EQ(f.browser()->width(), 1) << other;
        EXPECT_TRUE(f.BrowserAtTheBack()) << other;
        EXPECT_NE(f.Shown(), f.browser()) << other;
        f.Click("imgAddRes");
        EXPECT_EQ(f.Shown(), f.browser()) << other;
    }
    // Page 6 navigates only while the page has not been loaded.
    EXPECT_EQ(f.server.paths(), std::vector<std::string>{"/resources.htm"});
}

TEST(ResourcesPage, OfflineShowsTheLocalPageAndItsQuotation) {
    OnlineWindow f;
    f.online = false;
    auto& w = f.Start();
    EXPECT_FALSE(w.resourcesPageLoaded());
    f.Click("imgAddRes");
    EXPECT_EQ(w.currentPage(), 6);
    EXPECT_EQ(f.Shown(), w.bodyPanel());
    EXPECT_EQ(f.Shown({600, 250}), w.quoteText());
    // The page leads to the configured site, in its link and in its words.
    const std::string url = f.server.base() + "/resources.htm#top";
    QString words = ResourceText("html_body_6");
    words.replace(QString::fromStdString(std::string(dorvane::pages::kProductWebSite)),
                  QString::fromStdString(f.server.base() + "/"));
    EXPECT_EQ(Text(*w.bodyText()), words);
    ASSERT_EQ(w.bodyText()->linkCount(), 1);
    EXPECT_EQ(w.bodyText()->linkTarget(0).toStdString(), url);
    w.bodyText()->activateLink(0);
    EXPECT_EQ(f.links.opened, std::vector<std::string>{url});
    EXPECT_EQ(Text(*w.quoteText()), ResourceText("html_quote_6"));
    EXPECT_EQ(f.browser()->width(), 1);
    EXPECT_TRUE(f.server.paths().empty());
    // Online now: the first visit sends the browser there, asking once more first.
    f.online = true;
    f.checks = 0;
    f.Click("imgAddRes");
    // The local page shows at once; the check's answer brings the web page.
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.Shown() == f.browser(); }, 5000));
    EXPECT_GE(f.checks, 1);
    EXPECT_TRUE(w.resourcesPageLoaded());
    EXPECT_TRUE(f.WebPageShown());
}

TEST(ResourcesPage, GoingOfflineKeepsTheBrowsersPageAtTheBack) {
    OnlineWindow f;
    auto& w = f.Start();
    f.Click("imgAddRes");
    ASSERT_TRUE(f.WebPageShown());
    f.online = false;
    f.Click("imgAddRes");  // straight from the web page to the local one
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.Shown() == w.bodyPanel(); }, 5000));
    EXPECT_EQ(f.Shown({600, 250}), w.quoteText());
    EXPECT_EQ(f.browser()->width(), 1);
    EXPECT_TRUE(f.BrowserAtTheBack());
    EXPECT_TRUE(Text(w.resourcesViewer()->view()).contains("Goal-setting resources"));
}

TEST(ResourcesPage, EveryActivationWhileOnlineLoadsThePageAgain) {
    OnlineWindow f;
    f.Start();
    EXPECT_EQ(f.server.paths().size(), 1u);
    f.Activate();  // e.g. the full-screen preview closed
    EXPECT_TRUE(QTest::qWaitFor([&f] { return f.server.paths().size() == 2; }, 5000));
    f.online = false;
    f.Activate();
    EXPECT_TRUE(f.WebPageShown());  // the last loaded page stays
    EXPECT_EQ(f.server.paths().size(), 2u);
}

// The check may wait 1.5 s for the DNS: the window must have shown before it does.
TEST(ResourcesPage, TheWindowPaintsBeforeTheFirstCheck) {
    struct PaintSeen : QObject {
        bool painted = false;
        bool eventFilter(QObject*, QEvent* e) override {
            painted = painted || e->type() == QEvent::Paint;
            return false;
        }
    } seen;
    std::atomic<int> checks{0};
    std::atomic<bool> paintedAtFirstCheck = false;
    OnlineWindow f;
    qApp->installEventFilter(&seen);
    f.configure = [&](dorvane::app::Services& s) {
        // Asked on another thread: the painted flag is read before the answer.
        s.isOnline = [&, painted = &seen.painted] {
            if (checks++ == 0) paintedAtFirstCheck = *painted;
            return false;
        };
    };
    f.Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return checks > 0; }, 10000));
    qApp->removeEventFilter(&seen);
    EXPECT_TRUE(paintedAtFirstCheck);
}

TEST(ResourcesPage, AFailedPageIsTriedAgainOnTheNextVisit) {
    std::atomic<bool> up = false;
    LocalHttpServer flaky([&up](const std::string&) {
        return up ? Response::Page("<p>Goal-setting resources</p>") : Response::Status(503);
    });
    OnlineWindow f;
    f.configure = [&](dorvane::app::Services& s) {
        s.isOnline = [] { return true; };
        s.resourcesPageUrl = flaky.base() + "/resources.htm#top";
    };
    auto& w = f.Start();
    f.Click("imgAddRes");
    ASSERT_TRUE(QTest::qWaitFor([&w] { return w.resourcesViewer()->failed(); }, 20000));
    EXPECT_TRUE(Text(w.resourcesViewer()->view()).contains("Try again"));
    up = true;
    f.Click("imgButton1");
    f.Click("imgAddRes");
    EXPECT_TRUE(f.WebPageShown());
    EXPECT_FALSE(w.resourcesViewer()->failed());
    f.Click("imgButton1");
    f.Click("imgAddRes");  // a page that loaded is not fetched again on a visit
    const std::size_t fetched = flaky.paths().size();
    EXPECT_GE(fetched, 2u);
    EXPECT_TRUE(f.WebPageShown());
    EXPECT_EQ(flaky.paths().size(), fetched);
}

TEST(ResourcesPage, ALinkThatNoProgramOpensIsSaidInTheWindow) {
    OnlineWindow f;
    auto& w = f.Start();
    auto* notice = w.findChild<QLabel*>("notice");
    ASSERT_NE(notice, nullptr);
    EXPECT_FALSE(notice->isVisible());
    f.links.failing = true;
    f.Click("imgAddRes");
    ASSERT_TRUE(f.WebPageShown());
    bool handled = false;
    w.resourcesViewer()->view().OnHotSpotClick(w.resourcesViewer()->view(), "worksheets.htm",
                                               handled);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text().toStdString(),
              "No web browser or mail program could be started to open " + f.server.base() +
                  "/worksheets.htm.");
}

TEST(ResourcesPage, LinksInTheWebPageOpenInTheDesktopsBrowser) {
    OnlineWindow f;
    auto& w = f.Start();
    f.Click("imgAddRes");
    ASSERT_TRUE(f.WebPageShown());
    bool handled = false;
    w.resourcesViewer()->view().OnHotSpotClick(w.resourcesViewer()->view(), "worksheets.htm",
                                               handled);
    EXPECT_EQ(f.links.opened, std::vector<std::string>{f.server.base() + "/worksheets.htm"});
    EXPECT_EQ(w.currentPage(), 6);
}

}  // namespace
