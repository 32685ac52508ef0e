// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's gallery page driven as a user would: choosing, keys,
// scrolling, adding pictures, bad files, and the picture rebuilt on page changes.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTimer>

#include "gallery/preview_window.h"
#include "imaging/bitmap_image.h"
#include "main_window_fixture.h"
#include "platform/bitmap_resource.h"

namespace fs = std::filesystem;
using dorvane::gallery::ThumbnailControl;

namespace {

// A key as the keyboard gives it: to the focused control, or the window.
void Key(dorvane::app::MainWindow& w, Qt::Key key) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &w, key);
}

int Scroll(dorvane::app::MainWindow& w) {
    return w.galleryPage()->scrollArea()->verticalScrollBar()->value();
}

void ClickThumbnail(dorvane::app::MainWindow& w, int n) {
    w.galleryPage()->scrollToPicture(n);
    QTest::mouseClick(w.galleryPage()->findThumbnail(n), Qt::LeftButton);
}

}  // namespace

TEST(MainWindowGallery, ClickChoosesThePictureOfTheBoard) {
    MainWindowFixture f;
    auto& w = f.Start();
    f.Click("imgButton2");
    ClickThumbnail(w, 22);
    EXPECT_EQ(w.model().gallery().SelectedPicture, 22);
    EXPECT_EQ(w.model().board().PicName, "Sunset");
    EXPECT_EQ(w.model().gallery().LoadedPicture, 1);  // not loaded until needed
}

TEST(MainWindowGallery, PictureIsRebuiltOnceWhenPageTwoIsLeft) {
    MainWindowFixture f;
    auto& w = f.Start();
    const dorvane::imaging::Bitmap first = w.model().composer().screenPicture();
    f.Click("imgButton2");
    ClickThumbnail(w, 5);
    f.Click("imgButton5");
    ASSERT_TRUE(f.WaitForPicture());  // decoded on another thread
    EXPECT_EQ(w.model().gallery().LoadedPicture, 5);
    EXPECT_FALSE(w.model().composer().screenPicture() == first);
    w.model().composer().screenPicture().fill(0xFF00FF);  // a rebuild would overwrite this
    f.Click("imgButton4");
    EXPECT_EQ(w.model().composer().screenPicture().pixel(10, 10), 0xFF00FFu);
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST(MainWindowGallery, StraightToPageFourShowsGeneratingPreviewMeanwhile) {
    MainWindowFixture f;
    auto& w = f.Start();
    f.Click("imgButton2");
    ClickThumbnail(w, 9);
    f.Click("imgButton4");
    // The photograph is decoded on another thread; the page says so meanwhile.
    EXPECT_TRUE(w.previewPage()->canvas()->isHidden());
    EXPECT_TRUE(w.previewPage()->waitLabel()->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.previewPage()->canvas()->isVisible(); }, 10000));
    EXPECT_EQ(w.model().gallery().LoadedPicture, 9);
    EXPECT_EQ(w.previewPage()->canvas()->image().size(), QSize(349, 262));
}

TEST(MainWindowGallery, EnteringPageTwoScrollsTheChoiceIntoView) {
    MainWindowFixture f;
    auto& w = f.Start();
    f.Click("imgButton2");
    EXPECT_EQ(Scroll(w), 0);
    ClickThumbnail(w, 7);
    w.galleryPage()->scrollToPicture(1);
    f.Click("imgButton2");
    EXPECT_EQ(Scroll(w), 83);
    ClickThumbnail(w, 32);
    f.Click("imgButton2");
    EXPECT_EQ(Scroll(w), 677);
}

TEST(MainWindowGallery, ArrowKeysOnlyOnPageTwoAndStoppedAtTheEnds) {
    MainWindowFixture f;
    auto& w = f.Start();
    Key(w, Qt::Key_Right);  // page 1: nothing
    EXPECT_EQ(w.model().gallery().SelectedPicture, 1);
    f.Click("imgButton2");
    Key(w, Qt::Key_Left);
    EXPECT_EQ(w.model().gallery().SelectedPicture, 1);
    Key(w, Qt::Key_Down);
    Key(w, Qt::Key_Right);
    EXPECT_EQ(w.model().gallery().SelectedPicture, 5);
    EXPECT_EQ(w.model().board().PicName, "Grand Canyon 1");
    for (int i = 0; i < 12; ++i) Key(w, Qt::Key_Down);
    EXPECT_EQ(w.model().gallery().SelectedPicture, 32);
    EXPECT_EQ(Scroll(w), 677);
    Key(w, Qt::Key_Right);
    EXPECT_EQ(w.model().gallery().SelectedPicture, 32);
    Key(w, Qt::Key_Up);
    EXPECT_EQ(w.model().gallery().SelectedPicture, 29);
    w.galleryPage()->scrollToPicture(1);
    Key(w, Qt::Key_X);  // any key brings the choice into view
    EXPECT_EQ(Scroll(w), 664);
}

TEST(MainWindowGallery, UserFilesAtStartWithACorruptOneBetweenGoodOnes) {
    MainWindowFixture f;
    f.Jpeg(f.gallery() / "a.jpg", 64, 48);
    std::ofstream(f.gallery() / "b.JPG") << "not a picture";
    f.Jpeg(f.gallery() / "c.jpg", 48, 64);
    auto& w = f.Start();
    EXPECT_EQ(f.dialogs.texts("inform"),
              std::vector<std::string>{"Error loading picture from gallery! (b.JPG)"});
    EXPECT_EQ(w.model().gallery().PictureCount, 34);
    EXPECT_EQ(w.model().gallery().Pictures[32].Name, "A");
    EXPECT_EQ(w.model().gallery().Pictures[33].Name, "C");
    EXPECT_EQ(w.galleryPage()->findThumbnail(34)->toolTip(), "C");
    EXPECT_EQ(w.galleryPage()->findThumbnail(33)->pos(), QPoint(240, 842));
    EXPECT_EQ(w.galleryPage()->findThumbnail(34)->pos(), QPoint(20, 925));
}

TEST(MainWindowGallery, AddedSunsetBeatsBuiltInTwentyTwo) {
    MainWindowFixture f;
    auto& w = f.Start();
    f.Click("imgButton2");
    f.dialogs.files = {f.Jpeg(f.dir / "Sunset.jpg", 300, 200)};
    w.addPictureFromDisk();
    ASSERT_TRUE(f.WaitForGallery());
    EXPECT_EQ(w.model().gallery().PictureCount, 33);
    EXPECT_EQ(w.model().gallery().SelectedPicture, 33);
    EXPECT_EQ(w.model().board().PicName, "SUNSET");
    EXPECT_EQ(w.galleryPage()->selectionFrame()->geometry(), QRect(235, 837, 104, 80));
    EXPECT_EQ(Scroll(w), 677);  // framed and in view
    EXPECT_TRUE(fs::exists(f.gallery() / "Sunset.jpg"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // deleted later
    EXPECT_EQ(w.galleryPage()->scrollArea()->widget()->findChildren<ThumbnailControl*>().size(),
              33u);
}

TEST(MainWindowGallery, AddedMyBeachIsListedAsMyAndLoadedFromItsOwnFile) {
    MainWindowFixture f;
    auto& w = f.Start();
    f.Click("imgButton2");
    f.dialogs.files = {f.Jpeg(f.dir / "My.Beach.jpg", 64, 48)};
    w.addPictureFromDisk();
    ASSERT_TRUE(f.WaitForGallery());
    EXPECT_EQ(w.model().board().PicName, "MY");
    EXPECT_EQ(w.model().gallery().SelectedPicture, 33);
    f.Click("imgButton4");
    EXPECT_EQ(w.currentPage(), 4);
    ASSERT_TRUE(f.WaitForPicture());
    EXPECT_EQ(w.model().gallery().LoadedPicture, 33);
    EXPECT_EQ(w.model().fullPicture().width(), 64);
    EXPECT_TRUE(w.previewPage()->canvas()->isVisible());
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST(MainWindowGallery, SameFileTwiceKeepsTheSelection) {
    MainWindowFixture f;
    auto& w = f.Start();
    f.Click("imgButton2");
    const std::string beach = f.Jpeg(f.dir / "beach.jpg", 64, 48);
    f.dialogs.files = {beach};
    w.addPictureFromDisk();
    ASSERT_TRUE(f.WaitForGallery());
    ClickThumbnail(w, 3);
    f.dialogs.files = {beach};
    w.addPictureFromDisk();
    ASSERT_TRUE(f.WaitForGallery());
    EXPECT_EQ(
        f.dialogs.texts("inform"),
        std::vector<std::string>{"An image with the same name already exists in your gallery!"});
    EXPECT_EQ(w.model().gallery().SelectedPicture, 3);
    EXPECT_EQ(w.model().gallery().PictureCount, 33);
}

TEST(MainWindowGallery, AddedFileThatCannotBeDecodedSelectsPictureOne) {
    MainWindowFixture f;
    auto& w = f.Start();
    f.Click("imgButton2");
    ClickThumbnail(w, 12);
    std::ofstream(f.dir / "broken.jpg") << "garbage";
    f.dialogs.files = {(f.dir / "broken.jpg").string()};
    w.addPictureFromDisk();
    ASSERT_TRUE(f.WaitForGallery());
    EXPECT_EQ(f.dialogs.texts("inform"),
              std::vector<std::string>{"Error loading picture from gallery! (broken.jpg)"});
    EXPECT_EQ(w.model().gallery().SelectedPicture, 1);
    EXPECT_EQ(Scroll(w), 0);
}

TEST(MainWindowGallery, DoubleClickShowsTheWholePictureFullScreen) {
    MainWindowFixture f;
    auto& w = f.Start();
    w.setPreviewWindow(std::make_unique<dorvane::gallery::FullScreenPreview>());
    auto& preview = *w.previewWindow();
    f.Click("imgButton2");
    w.galleryPage()->scrollToPicture(4);
    QTest::mouseDClick(w.galleryPage()->findThumbnail(4), Qt::LeftButton);
    // Shown once the picture is decoded (on another thread), uncropped, at its own size.
    ASSERT_TRUE(QTest::qWaitFor([&] { return preview.isVisible(); }, 10000));
    EXPECT_EQ(preview.picture().size(), QSize(1600, 1200));
    QTest::keyClick(&preview, Qt::Key_Shift);
    EXPECT_FALSE(preview.isVisible());
    EXPECT_EQ(w.model().gallery().SelectedPicture, 4);
    EXPECT_EQ(w.model().gallery().LoadedPicture, 4);
    EXPECT_EQ(w.model().board().PicName, "Fall");
}

TEST(MainWindowGallery, VanishedUserPictureIsReportedAndPictureOneTakesItsPlace) {
    struct Row {
        const char* how;
        std::function<void(MainWindowFixture&)> act;
        unsigned page;  // where the window is afterwards
    };
    const Row rows[] = {
        {"page 3", [](MainWindowFixture& f) { f.Click("imgButton3"); }, 3},
        {"page 4", [](MainWindowFixture& f) { f.Click("imgButton4"); }, 4},
        {"double-click",
         [](MainWindowFixture& f) {
             QTest::mouseDClick(f.w->galleryPage()->findThumbnail(33), Qt::LeftButton);
         },
         2},
    };
    for (const Row& r : rows) {
        MainWindowFixture f;
        f.Jpeg(f.gallery() / "lake.jpg", 80, 60);
        auto& w = f.Start();
        w.setPreviewWindow(std::make_unique<dorvane::gallery::FullScreenPreview>());
        f.Click("imgButton2");
        ClickThumbnail(w, 33);
        fs::remove(f.gallery() / "lake.jpg");
        r.act(f);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !f.dialogs.shown.empty(); }, 10000)) << r.how;
        ASSERT_TRUE(f.WaitForPicture()) << r.how;  // picture 1 in its place
        QCoreApplication::processEvents();
        ASSERT_EQ(f.dialogs.texts("error").size(), 1u) << r.how;
        EXPECT_NE(f.dialogs.texts("error")[0].find("lake.jpg"), std::string::npos) << r.how;
        // The window is usable: the page switch completed, with picture 1.
        EXPECT_EQ(w.currentPage(), r.page) << r.how;
        EXPECT_EQ(w.model().gallery().SelectedPicture, 1) << r.how;
        EXPECT_EQ(w.model().gallery().LoadedPicture, 1) << r.how;
        EXPECT_EQ(w.model().board().PicName, "Bryce Canyon") << r.how;
        EXPECT_EQ(static_cast<dorvane::app::ImageControl*>(
                      f.Child(("imgButton" + std::to_string(r.page)).c_str()))
                      ->image(),
                  dorvane::platform::BitmapResource("btn_" + std::to_string(r.page) + "_down"))
            << r.how;
        EXPECT_EQ(f.Shown() == w.previewPage(), r.page == 4) << r.how;
        EXPECT_FALSE(w.previewPage()->canvas()->isHidden()) << r.how;  // no "Generating preview..."
        EXPECT_FALSE(w.previewWindow()->isVisible()) << r.how;
    }
}

TEST(MainWindowGallery, PreviewLinkShowsTheComposedBoardAtScreenSize) {
    MainWindowFixture f;
    auto& w = f.Start();
    w.setPreviewWindow(std::make_unique<dorvane::gallery::FullScreenPreview>());
    auto& preview = *w.previewWindow();
    f.Click("imgButton3");
    QTest::keyClicks(f.GoalEdit(1), "Swim across the lake");
    f.Click("imgButton4");
    ASSERT_TRUE(f.WaitForPicture());
    w.runLink("preview");
    EXPECT_TRUE(preview.isVisible());
    const QImage shown = preview.picture();
    QTest::mouseClick(&preview, Qt::LeftButton);
    EXPECT_FALSE(preview.isVisible());
    ASSERT_EQ(shown.size(), QSize(1024, 768));
    EXPECT_NE(shown, dorvane::imaging::ToQImage(
                         w.model().composer().screenPicture()));  // the text is on it
    EXPECT_EQ(w.currentPage(), 4);
}

TEST(MainWindowGallery, ClicksDuringFeedbackAndRebuildsInterleaveWithoutHarm) {
    MainWindowFixture f;
    auto& w = f.Start();
    // A page change inside the pressed-face feedback of the start link replaces
    // the document whose image is being pressed.
    auto* view = w.bodyText();
    const int image = view->imageIndex("gifClickStartNow_up");
    ASSERT_GE(image, 0);
    view->setScrollY(view->image(image).rect.top() - 20);
    QCoreApplication::processEvents();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->image(image).rect.center() - QPoint(0, view->scrollY()));
    ASSERT_TRUE(w.pageClicks().feedbackRunning());
    w.showPage(7);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.pageClicks().feedbackRunning(); }, 5000));
    EXPECT_EQ(w.currentPage(), 2);  // the link's own command ran last
    // Side-button clicks while page 4 waits for its photograph.
    w.galleryPage()->selectThumbnail(w.galleryPage()->findThumbnail(11));
    f.Click("imgButton4");
    EXPECT_TRUE(w.previewPage()->canvas()->isHidden());
    f.Click("imgButton2");
    f.Click("imgButton3");
    ASSERT_TRUE(f.WaitForPicture());
    EXPECT_EQ(w.model().gallery().LoadedPicture, 11);
    EXPECT_EQ(w.currentPage(), 3);
    f.Click("imgButton4");
    EXPECT_TRUE(w.previewPage()->canvas()->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f.dialogs.shown.empty());
}
