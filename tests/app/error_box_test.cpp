// SPDX-License-Identifier: GPL-3.0-or-later
// Errors that no command handles: shown as the general error box once the
// failed command has returned, never one inside another, never to nobody.
#include <gtest/gtest.h>

#include "base/error.h"
#include "main_window_fixture.h"
#include "platform/error_report.h"

using dorvane::platform::ReportError;

namespace {

// A box that stays open while the event loop runs on, and meets the same fault
// again meanwhile (a control that fails while painting); then it is closed.
class BoxLeftOpen : public FakeDialogs {
public:
    using FakeDialogs::showError;
    void showError(const std::string& text, Done then) override {
        FakeDialogs::showError(text, {});
        deepest = std::max(deepest, ++open);
        for (int i = 0; i < 3; ++i) {
            ReportError("Paint failed");
            QCoreApplication::processEvents();
        }
        --open;
        if (then) then();
    }
    int open = 0;
    int deepest = 0;
};

class Thrower : public QObject {
public:
    bool event(QEvent*) override { throw dorvane::base::Error("Thrown"); }
};

}  // namespace

TEST(ErrorBox, AFullStopIsAddedWhenTheLastCodeIsAboveTheFullStops) {
    const std::pair<std::string, std::string> rows[] = {
        {"Disk full", "Disk full."},
        {"Failed!", "Failed!"},
        {"Done.", "Done."},
        {"a,", "a,"},
        {"a/", "a/."},
        {"caf\xC3\xA9", "caf\xC3\xA9."},
        {"", ""},
    };
    for (const auto& [message, shown] : rows)
        EXPECT_EQ(dorvane::app::ErrorBoxText(message), shown) << message;
}

TEST(ErrorBox, AFailedCommandShowsOneBoxAfterItHasReturned) {
    MainWindowFixture f;
    auto& w = f.Start();
    const auto fail = [] { throw dorvane::base::Error("Broken"); };
    struct Row {
        const char* entry;
        std::function<void()> act;
    };
    const Row rows[] = {
        {"chrome button",
         [&] {
             w.chrome().button("imgAbout").setClickHandler(fail);
             f.Click("imgAbout");
         }},
        {"link command",
         [&] {
             static dorvane::pages::LinkActions actions;
             actions.preview = fail;
             static dorvane::pages::PageClicks clicks(actions);
             static dorvane::htmlview::HtmlView view(nullptr);
             clicks.prepare(view);
             bool handled = false;
             view.OnHotSpotClick(view, "preview", handled);
         }},
        {"thumbnail double-click",
         [&] {
             w.galleryPage()->onDoubleClick = [fail](dorvane::gallery::ThumbnailControl*) {
                 fail();
             };
             QTest::mouseDClick(w.galleryPage()->findThumbnail(2), Qt::LeftButton);
         }},
    };
    for (const Row& r : rows) {
        f.dialogs.shown.clear();
        r.act();
        EXPECT_TRUE(f.dialogs.shown.empty()) << r.entry;  // not inside the handler
        QCoreApplication::processEvents();
        EXPECT_EQ(f.dialogs.texts("error"), std::vector<std::string>{"Broken."}) << r.entry;
    }
}

TEST(ErrorBox, RepeatedFaultsOpenOneBoxAtATimeAndNoneWithoutDialogs) {
    auto& app = QtApp();
    BoxLeftOpen dialogs;
    app.setDialogs(&dialogs);
    for (int i = 0; i < 5; ++i) ReportError("Paint failed");
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.texts("error"), std::vector<std::string>{"Paint failed."});
    EXPECT_EQ(dialogs.deepest, 1);
    // A fault after the box has closed gets its own box, also one that escaped
    // an event handler.
    Thrower thrower;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&thrower, &event);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.texts("error"), (std::vector<std::string>{"Paint failed.", "Thrown."}));
    app.setDialogs(nullptr);
    ReportError("Nobody shows this");
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.shown.size(), 2u);
}
