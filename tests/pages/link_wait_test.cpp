// SPDX-License-Identifier: GPL-3.0-or-later
// The wait of a link click for the pressed face of its button image, after a click
// handled inside it has reset the flags: it sleeps in the event loop and ends.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <ctime>

#include "htmlview/html_view.h"
#include "pages/page_texts.h"

namespace {

using namespace std::chrono;

nanoseconds ThreadCpuTime() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return seconds(t.tv_sec) + nanoseconds(t.tv_nsec);
}

TEST(LinkWait, SleepsInTheEventLoopAndEndsAfterANestedClickResetTheFlags) {
    static int argc = 1;
    static char name[] = "link_wait_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = qApp ? nullptr : new QApplication(argc, argv);
    (void)app;
    dorvane::htmlview::HtmlView view;
    int shown = 0;
    dorvane::pages::LinkActions actions;
    actions.showPage = [&](int page) { shown = page; };
    dorvane::pages::PageClicks clicks{dorvane::platform::RealPacing(), actions};

    clicks.ImageClickDone = true;  // the button image's feedback has run...
    QTimer::singleShot(0, [&] {    // ...and a click handled in the first pump resets both flags
        clicks.ImageClickDone = false;
        clicks.PressNotOnImage = false;
    });
    // A later press not on an image ends even a wait without a limit.
    QTimer::singleShot(3000, [&] { clicks.PressNotOnImage = true; });

    const auto wall = steady_clock::now();
    const nanoseconds cpu = ThreadCpuTime();
    bool handled = false;
    clicks.htmlBodyHotSpotClick(view, "linkPage3", handled);
    const auto waited = steady_clock::now() - wall;
    const nanoseconds busy = ThreadCpuTime() - cpu;

    EXPECT_GE(waited, dorvane::pages::PageClicks::kLinkWaitLimit);
    EXPECT_LT(waited, seconds(2));
    EXPECT_LT(busy, duration_cast<nanoseconds>(waited) / 4) << "the wait spins";
    EXPECT_TRUE(handled);
    EXPECT_EQ(shown, 3);
}

}  // namespace
