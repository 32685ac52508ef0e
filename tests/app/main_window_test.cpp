// SPDX-License-Identifier: GPL-3.0-or-later
// The main window driven as a user would: start-up, chrome, page switching and
// the goals form.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QScrollBar>
#include <algorithm>

#include "gallery/preview_window.h"
#include "main_window_fixture.h"
#include "platform/bitmap_resource.h"

using dorvane::platform::BitmapResource;
namespace fs = std::filesystem;

namespace {

QImage Face(MainWindowFixture& f, const char* button) {
    return static_cast<dorvane::app::ImageControl*>(f.Child(button))->image();
}

}  // namespace

TEST(MainWindow, StartsOnPageOneWithPictureOne) {
    MainWindowFixture f;
    auto& w = f.Start();
    EXPECT_EQ(w.currentPage(), 1);
    EXPECT_EQ(w.size(), QSize(678, 517));
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.windowTitle(), "Dorvane");
    EXPECT_TRUE(fs::is_directory(f.dir / "MyGallery"));
    EXPECT_TRUE(fs::is_directory(f.dir / "MyGoals"));
    EXPECT_EQ(w.galleryFolder(), f.dir / "MyGallery");
    EXPECT_EQ(w.model().gallery().SelectedPicture, 1);
    EXPECT_EQ(w.model().gallery().LoadedPicture, 1);
    EXPECT_EQ(w.model().gallery().PictureCount, 32);
    EXPECT_EQ(w.model().board().PicName, "Bryce Canyon");
    EXPECT_EQ(w.model().board().TextWidth, 1004);
    EXPECT_EQ(w.model().board().FontName, "Arial");  // read from the style lists on activation
    EXPECT_EQ(QSize(w.model().composer().previewPicture().width(),
                    w.model().composer().previewPicture().height()),
              QSize(349, 262));
    EXPECT_EQ(QSize(w.model().composer().screenPicture().width(),
                    w.model().composer().screenPicture().height()),
              QSize(1024, 768));
    EXPECT_EQ(Face(f, "imgButton1"), BitmapResource("btn_1_down"));
    EXPECT_EQ(Face(f, "imgButton2"), BitmapResource("btn_2_up"));
    EXPECT_EQ(f.Shown(), w.bodyPanel());
    EXPECT_EQ(w.bodyPanel()->width(), 529);  // covers the quotation column
    EXPECT_EQ(f.Shown({600, 250}), w.bodyPanel());
    EXPECT_EQ(w.bodyText()->settings().scrollBars, dorvane::htmlview::ScrollBars::Vertical);
    EXPECT_EQ(w.bodyText()->settings().marginWidth, 17);
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST(MainWindow, StartingAgainKeepsTheFoldersAndTheirContents) {
    MainWindowFixture f;
    fs::create_directories(f.dir / "MyGoals");
    std::ofstream(f.dir / "MyGoals" / "plan.gls") << "[Goal]";
    f.Start();
    f.w.reset();
    f.Start();
    EXPECT_TRUE(fs::exists(f.dir / "MyGoals" / "plan.gls"));
}

TEST(MainWindow, ControlsAtTheirPlacesOnTheLiveWindow) {
    MainWindowFixture f;
    f.Start();
    struct Row {
        const char* name;
        QRect place;
    };
    const Row rows[] = {
        {"page2", {131, 66, 385, 412}},     {"page4", {131, 66, 385, 412}},
        {"page5", {131, 66, 385, 412}},     {"htmlQuote", {516, 128, 144, 265}},
        {"WebBrowser", {131, 66, 1, 412}},  {"htmlBody21", {-1, -1, 387, 80}},
        {"imgs", {6, 84, 372, 261}},        {"shapeImgsBorder", {5, 83, 374, 263}},
        {"htmlBody22", {0, 350, 385, 62}},  {"htmlBody41", {-1, -1, 387, 26}},
        {"htmlBody42", {-1, 334, 387, 78}}, {"imgPreview", {15, 27, 353, 262}},
        {"htmlBody51", {-1, -1, 387, 25}},  {"htmlBody52", {-1, 187, 387, 33}},
        {"lbProjects", {5, 31, 374, 147}},  {"shapeProjectsBorder", {4, 30, 376, 149}},
        {"memoGoals", {5, 239, 185, 167}},  {"imgProjectPreview", {195, 239, 182, 169}},
        {"imgBorderTop", {0, 0, 680, 38}},  {"imgClose", {647, 12, 19, 19}},
    };
    for (const Row& r : rows) EXPECT_EQ(f.Child(r.name)->geometry(), r.place) << r.name;
    EXPECT_EQ(f.Child("lblGeneratingPreview")->pos(), QPoint(122, 136));
    EXPECT_EQ(f.Child("lblProjectsPreview")->pos(), QPoint(5, 224));
}

TEST(MainWindow, SideButtonsSwitchPagesAndPressTheirFace) {
    MainWindowFixture f;
    auto& w = f.Start();
    struct Row {
        const char* button;
        unsigned page;
        QWidget* shown;
    };
    const Row rows[] = {{"imgButton2", 2, w.galleryPage()},
                        {"imgButton3", 3, w.bodyPanel()},
                        {"imgButton4", 4, w.previewPage()},
                        {"imgButton5", 5, w.savedBoardsPage()},
                        {"imgButton1", 1, w.bodyPanel()}};
    for (const Row& r : rows) {
        f.Click(r.button);
        EXPECT_EQ(w.currentPage(), r.page);
        EXPECT_EQ(f.Shown(), r.shown) << r.button;
        for (int n = 1; n <= 5; ++n) {
            const std::string face =
                "btn_" + std::to_string(n) + (n == static_cast<int>(r.page) ? "_down" : "_up");
            EXPECT_EQ(Face(f, ("imgButton" + std::to_string(n)).c_str()), BitmapResource(face))
                << r.button << " " << face;
        }
        if (r.page != 1) {
            EXPECT_EQ(f.Shown({600, 250}), w.quoteText()) << r.button;
        }
    }
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST(MainWindow, AboutAndResourcesPressNoSideButton) {
    MainWindowFixture f;
    auto& w = f.Start();
    QTest::mouseClick(f.Child("imgAbout"), Qt::LeftButton);
    EXPECT_EQ(Face(f, "imgAbout"), BitmapResource("btn_about_down"));
    EXPECT_NE(w.currentPage(), 7);  // the pressed face first, then page 7
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.currentPage() == 7; }, 5000));
    EXPECT_EQ(Face(f, "imgAbout"), BitmapResource("btn_about_up"));
    for (const char* b : {"imgButton1", "imgButton2", "imgButton3", "imgButton4", "imgButton5"})
        EXPECT_EQ(Face(f, b), BitmapResource(std::string("btn_") + b[9] + "_up"));
    EXPECT_EQ(w.bodyPanel()->width(), 385);
    EXPECT_EQ(w.bodyText()->settings().scrollBars, dorvane::htmlview::ScrollBars::None);
    f.Click("imgAddRes");
    EXPECT_EQ(w.currentPage(), 6);  // offline: the local page with its quotation
    EXPECT_EQ(f.Shown(), w.bodyPanel());
    EXPECT_EQ(f.Shown({600, 250}), w.quoteText());
}

TEST(MainWindow, TypedGoalsSurviveReclickingPageThree) {
    MainWindowFixture f;
    auto& w = f.Start();
    f.Click("imgButton3");
    ASSERT_NE(f.GoalEdit(1), nullptr);
    EXPECT_EQ(f.Form().size(), 8u);
    QTest::keyClicks(f.GoalEdit(1), "Run a marathon");
    QTest::keyClicks(f.GoalEdit(3), "Learn Spanish");
    static_cast<QCheckBox*>(f.Form().back().widget.data())->setChecked(true);
    f.Click("imgButton3");
    EXPECT_EQ(w.model().board().Goal[1], "Run a marathon");
    EXPECT_EQ(w.model().board().Goal[3], "Learn Spanish");
    EXPECT_TRUE(w.model().board().FontBullets);
    EXPECT_EQ(f.GoalEdit(1)->text(), "Run a marathon");  // a fresh edit, filled from the board
    EXPECT_EQ(f.GoalEdit(3)->text(), "Learn Spanish");
    EXPECT_EQ(QApplication::focusWidget(), f.GoalEdit(1));
    EXPECT_EQ(f.GoalEdit(2)->palette().color(QPalette::Base), QColor(255, 252, 235));
    EXPECT_EQ(f.GoalEdit(2)->font().pointSize(), 8);
    EXPECT_TRUE(static_cast<QCheckBox*>(f.Form().back().widget.data())->isChecked());
    f.Click("imgButton1");
    EXPECT_EQ(w.model().board().Goal[1], "Run a marathon");
}

TEST(MainWindow, LongGoalIsShownCutAndReplacedOnlyWhenThePageIsLeft) {
    MainWindowFixture f;
    auto& w = f.Start();
    const std::string longGoal(250, 'g');
    f.SetGoal(2, longGoal);
    f.Click("imgButton3");
    EXPECT_EQ(f.GoalEdit(2)->text().size(), 200);
    EXPECT_EQ(w.model().board().Goal[2], longGoal);
    f.Click("imgButton2");
    EXPECT_EQ(w.model().board().Goal[2], std::string(200, 'g'));
}

TEST(MainWindow, CloseQuestionAnsweredNoLeavesEverythingAsItWas) {
    MainWindowFixture f;
    auto& w = f.Start();
    f.Click("imgButton3");
    QTest::keyClicks(f.GoalEdit(1), "Stay");
    const auto board = w.model().board();
    f.dialogs.answers = {false};
    f.Click("imgClose");
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].kind, "ask");
    EXPECT_EQ(f.dialogs.shown[0].title, "Close application");
    EXPECT_EQ(f.dialogs.shown[0].text,
              "All your unsaved work might be lost.\r\rDo you really want to exit Dorvane?");
    EXPECT_EQ(f.dialogs.lastIcon, dorvane::platform::BoxIcon::Question);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.currentPage(), 3);
    EXPECT_EQ(w.model().board(), board);
    EXPECT_EQ(f.GoalEdit(1)->text(), "Stay");
    EXPECT_EQ(w.model().gallery().PictureCount, 32);
    // Any other close request (Alt+F4, the window menu) asks the same; Yes closes.
    f.dialogs.answers = {true};
    w.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 5000));
    EXPECT_EQ(f.dialogs.shown.size(), 2u);
}

TEST(MainWindow, MinimiseShowsItsPressedFaceThenMinimises) {
    MainWindowFixture f;
    auto& w = f.Start();
    QTest::mouseClick(f.Child("imgMin"), Qt::LeftButton);
    EXPECT_EQ(Face(f, "imgMin"), BitmapResource("btn_min_down"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.isMinimized(); }, 5000));
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST(MainWindow, ImageLinkRunsItsCommandAfterThePressedFace) {
    MainWindowFixture f;
    auto& w = f.Start();
    auto* view = w.bodyText();
    const int image = view->imageIndex("gifClickStartNow_up");
    ASSERT_GE(image, 0);
    const QRect place = view->image(image).rect;
    view->setScrollY(place.top() - 20);
    QCoreApplication::processEvents();
    const QPoint at = place.center() - QPoint(0, view->scrollY());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(w.pageClicks().feedbackRunning());
    EXPECT_EQ(w.currentPage(), 1);  // the command runs only after the feedback
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.currentPage() == 2; }, 5000));
    EXPECT_FALSE(w.pageClicks().feedbackRunning());
}

TEST(MainWindow, WebLinksGoToTheDesktopAndThePageStays) {
    MainWindowFixture f;
    auto& w = f.Start();
    f.Click("imgAbout");
    bool handled = false;
    w.bodyText()->OnHotSpotClick(*w.bodyText(), "mailto:support@dorvane.example", handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(f.links.opened, std::vector<std::string>{"mailto:support@dorvane.example"});
    EXPECT_EQ(w.currentPage(), 7);
}

TEST(MainWindow, ContinueLinkOnPageThreeStoresTheGoalsFirst) {
    MainWindowFixture f;
    auto& w = f.Start();
    f.Click("imgButton3");
    QTest::keyClicks(f.GoalEdit(1), "Write every day");
    bool handled = false;
    w.bodyText()->OnHotSpotClick(*w.bodyText(), "LinkPage4", handled);
    EXPECT_EQ(w.currentPage(), 4);
    EXPECT_EQ(w.model().board().Goal[1], "Write every day");
    EXPECT_GT(w.model().composer().text().TextHeight, 0);
    EXPECT_TRUE(w.previewPage()->canvas()->isVisible());
}

TEST(MainWindow, PagesGoBeforeTheFieldsTheyPointInto) {
    MainWindowFixture f;
    auto& w = f.Start();
    w.setPreviewWindow(std::make_unique<dorvane::gallery::FullScreenPreview>());
    // Each page, as it is destroyed, reads what it points into; after the fields
    // the sanitizer build sees freed memory here.
    const auto* pictures = &w.model().gallery().Pictures;
    const dorvane::pages::PageClicks* clicks = &w.pageClicks();
    const dorvane::gallery::FullScreenPreview* preview = w.previewWindow();
    std::vector<std::string> seen;
    QObject::connect(w.galleryPage(), &QObject::destroyed,
                     [&, pictures] { seen.push_back(pictures->front().Name); });
    QObject::connect(w.bodyText(), &QObject::destroyed,
                     [&, clicks] { seen.push_back(clicks->feedbackRunning() ? "busy" : "ready"); });
    QObject::connect(w.previewPage(), &QObject::destroyed,
                     [&, preview] { seen.push_back(preview->isVisible() ? "shown" : "hidden"); });
    f.w.reset();
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"Bryce Canyon", "hidden", "ready"}));
}
