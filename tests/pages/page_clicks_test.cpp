// SPDX-License-Identifier: GPL-3.0-or-later
// A button image's link runs after its pressed face, with the event loop running
// meanwhile; a click while one waits is refused, so commands never interleave.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "htmlview/html_view.h"
#include "pages/page_texts.h"

namespace {

TEST(PageClicks, ButtonLinksWaitForTheirFaceAndASecondClickMeanwhileIsRefused) {
    static int argc = 1;
    static char name[] = "page_clicks_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = qApp ? nullptr : new QApplication(argc, argv);
    (void)app;
    struct Row {
        const char* what;
        bool onImage;                    // the click's release was on a button image
        std::vector<const char*> links;  // link clicks while the face shows
        std::vector<int> shownAtOnce;    // pages shown before the event loop runs
        std::vector<int> shownInTheEnd;
    };
    const Row rows[] = {
        {"plain link", false, {"linkPage3"}, {3}, {3}},
        {"button link", true, {"linkPage3"}, {}, {3}},
        {"second click refused", true, {"linkPage3", "linkPage5"}, {}, {3}},
    };
    for (const Row& r : rows) {
        std::vector<int> shown;
        dorvane::pages::LinkActions actions;
        actions.showPage = [&](int page) { shown.push_back(page); };
        dorvane::pages::PageClicks clicks(actions);
        dorvane::htmlview::HtmlView view;
        clicks.prepare(view);
        view.loadFromString("<a href=\"linkPage3\"><img src=\"gifClickSave_up\"></a>");
        if (r.onImage) clicks.imageClicked(view, 0);
        bool handled = false;
        for (const char* link : r.links) view.OnHotSpotClick(view, link, handled);
        EXPECT_TRUE(handled) << r.what;
        EXPECT_EQ(shown, r.shownAtOnce) << r.what;
        ASSERT_TRUE(QTest::qWaitFor([&] { return !clicks.feedbackRunning(); }, 5000)) << r.what;
        QCoreApplication::processEvents();
        EXPECT_EQ(shown, r.shownInTheEnd) << r.what;
    }
}

}  // namespace
