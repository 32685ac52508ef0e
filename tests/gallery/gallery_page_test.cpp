// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/gallery_page.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include "../support/qt_app.h"
#include "base/error.h"
#include "gallery/grid_geometry.h"

using namespace dorvane;
using namespace dorvane::gallery;

namespace {

// Page 2 filled by a real build from made-up thumbnails.
struct Page {
    app::Application& app = QtApp();
    GalleryState state;
    GalleryPage page{nullptr, state};
    std::vector<std::string> chosen, messages;
    std::vector<int> doubleClicked;

    explicit Page(int userPictures = 0, std::int32_t selected = 1) {
        page.resize(385, 412);
        page.onPictureChosen = [this](const std::string& n) { chosen.push_back(n); };
        page.inform = [this](const std::string& m) { messages.push_back(m); };
        page.onDoubleClick = [this](ThumbnailControl* t) { doubleClicked.push_back(t->number()); };
        Build(userPictures, selected);
        page.show();
        QCoreApplication::processEvents();
    }
    void Build(int userPictures, std::int32_t selected) {
        GallerySource s;
        for (int n = 1; n <= 32; ++n) s.builtInNames.push_back("Picture " + std::to_string(n));
        s.builtInThumbnail = [](int) { return imaging::Bitmap(95, 71); };
        s.userFiles = [userPictures] {
            std::vector<std::string> files;
            for (int i = 0; i < userPictures; ++i)
                files.push_back("u" + std::to_string(i) + ".jpg");
            return files;
        };
        s.userThumbnail = [](const std::string&) { return imaging::Bitmap(95, 71); };
        state.SelectedPicture = selected;
        BuildGallery(state.Pictures, selected, s, page, 2);
    }
    int scroll() const { return page.scrollArea()->verticalScrollBar()->value(); }
};

}  // namespace

TEST(GalleryPage, ControlsAtTheirPlaces) {
    Page p;
    EXPECT_EQ(p.page.topText()->geometry(), QRect(-1, -1, 387, 80));
    EXPECT_EQ(p.page.scrollArea()->geometry(), QRect(6, 84, 372, 261));
    EXPECT_EQ(p.page.gridBorder()->geometry(), QRect(5, 83, 374, 263));
    EXPECT_EQ(p.page.bottomText()->geometry(), QRect(0, 350, 385, 62));
    EXPECT_EQ(p.page.scrollArea()->viewport()->height(), 261);
    EXPECT_EQ(p.page.scrollArea()->horizontalScrollBar()->isVisible(), false);
}

TEST(GalleryPage, ThirtyTwoThumbnailsInTheirGridWithTooltips) {
    Page p;
    ASSERT_EQ(p.page.thumbnails().size(), 32u);
    EXPECT_EQ(p.state.PictureCount, 32);
    EXPECT_EQ(p.page.findThumbnail(1)->geometry(), QRect(20, 12, 95, 71));
    EXPECT_EQ(p.page.findThumbnail(2)->pos(), QPoint(130, 12));
    EXPECT_EQ(p.page.findThumbnail(3)->pos(), QPoint(240, 12));
    EXPECT_EQ(p.page.findThumbnail(31)->pos(), QPoint(20, 842));
    EXPECT_EQ(p.page.findThumbnail(32)->pos(), QPoint(130, 842));
    // What the photograph shows, not its display name.
    EXPECT_EQ(p.page.findThumbnail(15)->toolTip(), "A nuthatch on a tree trunk");
    EXPECT_EQ(p.page.findThumbnail(8)->toolTip(), "The wooden planks of a pier by a lake");
    EXPECT_EQ(p.page.bottomSpacer()->geometry().top(), 925);
    EXPECT_EQ(p.page.scrollArea()->widget()->height(), 938);
    EXPECT_EQ(p.page.scrollArea()->verticalScrollBar()->maximum(), 677);
}

TEST(GalleryPage, FindThumbnailClampsTheNumber) {
    Page p;
    EXPECT_EQ(p.page.findThumbnail(0)->number(), 1);
    EXPECT_EQ(p.page.findThumbnail(-5)->number(), 1);
    EXPECT_EQ(p.page.findThumbnail(35)->number(), 32);
}

TEST(GalleryPage, ClickSelectsWithTheNavyFrameAndSetsThePictureName) {
    Page p;
    EXPECT_EQ(p.page.selectionFrame()->geometry(),
              QRect(15, 7, 104, 80));  // picture 1 from the build
    QTest::mouseClick(p.page.findThumbnail(5), Qt::LeftButton);
    EXPECT_EQ(p.state.SelectedPicture, 5);
    EXPECT_EQ(p.chosen.back(), "Picture 5");
    EXPECT_EQ(p.page.selectionFrame()->geometry(), QRect(125, 90, 104, 80));
    EXPECT_EQ(p.scroll(), 0);  // selecting does not scroll
    const QImage shot = p.page.scrollArea()->widget()->grab().toImage();
    EXPECT_EQ(shot.pixel(125, 120), qRgb(0, 0, 128));  // frame's left side, 4 pixels wide
    EXPECT_EQ(shot.pixel(128, 120), qRgb(0, 0, 128));
    EXPECT_EQ(shot.pixel(129, 120), qRgb(255, 255, 255));  // a white line, then the picture
    EXPECT_EQ(shot.pixel(130, 120), qRgb(0, 0, 0));
}

TEST(GalleryPage, DoubleClickSelectsAndReportsTheThumbnail) {
    Page p;
    QTest::mouseDClick(p.page.findThumbnail(9), Qt::LeftButton);
    EXPECT_EQ(p.state.SelectedPicture, 9);
    EXPECT_EQ(p.doubleClicked, std::vector<int>{9});
}

TEST(GalleryPage, ScrollToPictureWorkedValues) {
    Page p;
    p.page.scrollToPicture(7);
    EXPECT_EQ(p.scroll(), 83);
    p.page.scrollToPicture(4);
    EXPECT_EQ(p.scroll(), 0);
    p.page.scrollToPicture(32);
    EXPECT_EQ(p.scroll(), 677);
    p.page.scrollToPicture(1);
    EXPECT_EQ(p.scroll(), 0);
}

TEST(GalleryPage, ArrowKeysStopAtTheEndsAndEveryKeyScrolls) {
    Page p;
    struct Row {
        int from, key, to;
    };
    const Row rows[] = {{32, Qt::Key_Right, 32}, {1, Qt::Key_Left, 1},   {31, Qt::Key_Down, 32},
                        {2, Qt::Key_Up, 1},      {30, Qt::Key_Down, 32}, {5, Qt::Key_Down, 8},
                        {5, Qt::Key_Up, 2},      {5, Qt::Key_Left, 4},   {5, Qt::Key_A, 5}};
    for (const Row& r : rows) {
        p.page.selectThumbnail(p.page.findThumbnail(r.from));
        p.page.keyDown(r.key);
        EXPECT_EQ(p.state.SelectedPicture, r.to) << r.from << " key " << r.key;
    }
    p.page.selectThumbnail(p.page.findThumbnail(20));
    p.page.scrollToPicture(1);
    p.page.keyDown(Qt::Key_Space);  // not an arrow: the selection stays but comes into view
    EXPECT_EQ(p.state.SelectedPicture, 20);
    EXPECT_EQ(p.scroll(), 415);  // its row (top 510) second in view
}

TEST(GalleryPage, RebuildKeepsTheSelectionByNumber) {
    Page p(3, 34);
    EXPECT_EQ(p.state.PictureCount, 35);
    EXPECT_EQ(p.page.selectionFrame()->geometry().topLeft(), QPoint(15, 920));
    p.Build(5, 34);
    QCoreApplication::processEvents();
    EXPECT_EQ(p.page.thumbnails().size(), 37u);
    EXPECT_EQ(p.state.SelectedPicture, 34);
    EXPECT_EQ(p.page.scrollArea()->widget()->height(), ContentHeight(37));
}

TEST(GalleryPage, FiveHundredPicturesStillBuild) {
    Page p(500, 1);
    EXPECT_EQ(p.state.PictureCount, 532);
    p.page.scrollToPicture(532);
    EXPECT_EQ(p.scroll(), ContentHeight(532) - 261);
}

TEST(GalleryPage, ScrollingHidesThePictureNameShownUnderTheMouse) {
    Page p;
    ThumbnailControl* first = p.page.findThumbnail(1);
    QToolTip::showText(first->mapToGlobal(QPoint(40, 30)), first->toolTip(), first);
    ASSERT_TRUE(QToolTip::isVisible());
    p.page.keyDown(Qt::Key_Down);  // row 2 is in view already: no scrolling, tip stays
    EXPECT_TRUE(QToolTip::isVisible());
    for (int i = 0; i < 4; ++i) p.page.keyDown(Qt::Key_Down);
    ASSERT_GT(p.scroll(), 0);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
}

TEST(GalleryPage, ScrollBarThumbStandsOutFromItsTrack) {
    Page p;
    QScrollBar* bar = p.page.scrollArea()->verticalScrollBar();
    EXPECT_EQ(bar->width(), 17);  // the room the rows leave for it
    const QImage shot = bar->grab().toImage();
    const auto grey = [&](int y) { return qGray(shot.pixel(bar->width() / 2, y)); };
    const int thumb = grey(10), track = grey(bar->height() - 5);
    EXPECT_GT(track - thumb, 100) << "thumb " << thumb << ", track " << track;
}
