// SPDX-License-Identifier: GPL-3.0-or-later
// At a device pixel ratio of 2 the artwork comes from its @2x twins: the image
// buttons and the skin, the page images and their pressed faces; the window's
// shape follows the twins' finer corners. Pictures without a twin (photographs)
// are shown as before.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QListWidget>
#include <QTransform>
#include <stdexcept>

#include "../support/qt_app.h"
#include "app/chrome.h"
#include "app/image_control.h"
#include "app/saved_boards_page.h"
#include "htmlview/html_view.h"
#include "main_window_fixture.h"
#include "pages/page_texts.h"
#include "platform/bitmap_resource.h"

using namespace dorvane;
using platform::BitmapResource;
using platform::BitmapResource2x;

namespace {

app::Application& AppAtRatio2() {
    qputenv("QT_SCALE_FACTOR", "2");
    return QtApp();
}

QImage Grab(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage Rgb(const QImage& image) {
    QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    rgb.setDevicePixelRatio(1);
    return rgb;
}

int OutsideShape(const QRegion& shape, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += !shape.contains(QPoint(x, y));
    return n;
}

}  // namespace

TEST(HiDpi, ImageButtonsShowTheirTwinsPixelForPixel) {
    AppAtRatio2();
    app::ImageControl button(nullptr);
    button.resize(110, 39);
    for (const char* face : {"btn_2_up", "btn_2_down", "btn_addRes_up"}) {
        app::LoadBitmapResource(button, face);
        button.resize(button.image().size());
        const QImage shown = Grab(button);
        ASSERT_EQ(shown.size(), button.image().size() * 2) << face;
        EXPECT_EQ(Rgb(shown), Rgb(BitmapResource2x(face))) << face;
    }
}

TEST(HiDpi, PicturesWithoutATwinAreShownAsBefore) {
    AppAtRatio2();
    QImage photo(4, 2, QImage::Format_RGB32);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 2; ++y) photo.setPixel(x, y, qRgb(60 * x, 100 * y, 7));
    app::ImageControl preview(nullptr);
    preview.resize(4, 2);
    preview.setImage(photo);
    EXPECT_EQ(Grab(preview), Rgb(photo.scaled(8, 4)));  // nearest pixel, as at 1x
}

TEST(HiDpi, SkinHidesItsKeyColourAndShowsTheTwin) {
    AppAtRatio2();
    QWidget window;
    window.setFixedSize(app::kWindowWidth, app::kWindowHeight);
    app::Chrome chrome(&window);
    app::ImageControl& top = chrome.skin("imgBorderTop");
    QImage shown(top.size() * 2, QImage::Format_ARGB32_Premultiplied);
    shown.setDevicePixelRatio(2);
    shown.fill(Qt::transparent);
    top.render(&shown, QPoint(), QRegion(), QWidget::DrawChildren);
    const QImage twin = BitmapResource2x("imgBorderTop");
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);   // key colour: see-through
    EXPECT_EQ(qAlpha(shown.pixel(15, 0)), 0);  // the twin's corner reaches 16 pixels
    EXPECT_EQ(shown.pixel(16, 0), twin.pixel(16, 0));
    EXPECT_EQ(Rgb(shown.copy(100, 10, 300, 50)), Rgb(twin.copy(100, 10, 300, 50)));
}

// The twins' corners are finer than the 1x corners doubled: the shape at ratio 2
// leaves out exactly the twins' key pixels.
TEST(HiDpi, WindowShapeFollowsTheTwinsCorners) {
    AppAtRatio2();
    const QSize client(app::kWindowWidth, app::kWindowHeight);
    std::vector<std::pair<QPoint, QImage>> ones, twos;
    for (const app::SkinPlace& p : app::kSkinPlaces) {
        ones.emplace_back(QPoint(p.left, p.top), BitmapResource(p.control));
        twos.emplace_back(QPoint(p.left, p.top), BitmapResource2x(p.control));
    }
    const QRegion coarse = app::SkinMask(ones, client, 2);
    const QRegion fine = app::SkinMask(twos, client, 2);
    EXPECT_EQ(coarse.boundingRect(), QRect(0, 0, 1356, 1034));
    EXPECT_EQ(coarse, QTransform::fromScale(2, 2).map(app::SkinMask(ones, client)));
    const QImage twin = BitmapResource2x("imgBorderTop");
    int key = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            key += (twin.pixel(x, y) | 0xFF000000u) == app::kWindowKeyColor;
    EXPECT_EQ(OutsideShape(fine, QRect(0, 0, 16, 16)), key);
    EXPECT_EQ(OutsideShape(coarse, QRect(0, 0, 16, 16)), 4 * 23);
    EXPECT_NE(fine, coarse);
    EXPECT_TRUE(fine.contains(QPoint(678, 517)));
    EXPECT_FALSE(fine.contains(QPoint(1355, 1033)));  // the far corner
}

TEST(HiDpi, PageImagesAndTheirPressedFacesComeFromTheTwins) {
    AppAtRatio2();
    const pages::LinkActions actions;
    pages::PageClicks clicks(actions);
    htmlview::HtmlView view(nullptr);
    view.resize(385, 100);
    clicks.prepare(view);
    view.loadFromString("<p><img src=\"gifClickSave_up\"> <img src=\"gifBar\"></p>");
    ASSERT_EQ(view.imageCount(), 2);
    EXPECT_EQ(view.imageBitmap(0).devicePixelRatio(), 2);
    EXPECT_EQ(view.image(0).rect.size(), QSize(81, 21));  // laid out at the 1x size
    EXPECT_EQ(view.image(1).rect.size(), QSize(376, 7));
    clicks.imageClicked(view, 0);
    EXPECT_EQ(Rgb(view.imageBitmap(0)), Rgb(BitmapResource2x("bmpClickSave_down")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !clicks.feedbackRunning(); }, 5000));
    EXPECT_EQ(view.imageBitmap(0).devicePixelRatio(), 2);  // the up face again
}

TEST(HiDpi, ViewFallsBackToThe1xPictureWithoutATwin) {
    AppAtRatio2();
    htmlview::HtmlView view(nullptr);
    view.resize(200, 100);
    QImage picture(5, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    std::vector<QString> asked;
    view.OnImageRequest = [&](htmlview::HtmlView&, const QString& name) {
        asked.push_back(name);
        if (name.endsWith("@2x")) throw std::runtime_error("no twin");
        return png;
    };
    view.loadFromString("<img src=\"dot\">");
    EXPECT_EQ(asked, (std::vector<QString>{"dot@2x", "dot"}));
    EXPECT_EQ(view.imageBitmap(0).devicePixelRatio(), 1);
    EXPECT_EQ(view.image(0).rect.size(), QSize(5, 3));
}

TEST(HiDpi, Page4PreviewHasDevicePixelsAndTheMouseKeepsPreviewPixels) {
    AppAtRatio2();
    MainWindowFixture f;
    f.screen.set({2048, 1536, 192, 2});  // preview 349 × 262, scale 0.17041
    app::MainWindow& w = f.Start();
    dorvane::compose::GoalBoard board = w.model().board();
    board.Goal[1] = "Learn to sail";
    board.TextWidth = 1000;
    w.model().replaceBoard(board);
    f.Click("imgButton4");
    app::PreviewCanvas& canvas = *w.previewPage()->canvas();
    const QImage shown = canvas.image();
    EXPECT_EQ(shown.size(), QSize(698, 524));
    EXPECT_EQ(shown.deviceIndependentSize(), QSizeF(349, 262));
    // Pixel for pixel, and the focus line beside it stays off the picture.
    canvas.setFocus();
    EXPECT_EQ(Rgb(Grab(canvas).copy(0, 0, 698, 524)), Rgb(shown));
    // 30 and 40 preview pixels are 176 and 235 screen pixels at any ratio.
    const compose::FrameRect frame = w.model().composer().text().Frame;
    const QPoint from((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
    QTest::mousePress(&canvas, Qt::LeftButton, {}, from);
    QTest::mouseMove(&canvas, from + QPoint(30, 40));
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, from + QPoint(30, 40));
    EXPECT_EQ(w.model().board().TextPosX, 10 + 176);
    EXPECT_EQ(w.model().board().TextPosY, 10 + 235);
}

// Page 5's preview of a saved board: the stored 182-wide picture would be blurred
// to twice its size, so a twin with every device pixel is composed: the same board
// (halved, it matches the stored one), not any other picture.
TEST(HiDpi, SavedBoardPreviewHasATwinWithDevicePixels) {
    AppAtRatio2();
    MainWindowFixture f;
    f.screen.set({2048, 1536, 192, 2});
    app::MainWindow& w = f.Start();
    f.SetGoal(1, "Learn to sail");
    f.dialogs.files.push_back((f.dir / "MyGoals" / "sail.gls").string());
    w.runLink("saveProject");
    f.Click("imgButton5");
    app::SavedBoardsPage& page = *w.savedBoardsPage();
    QListWidget& list = *page.boardList();
    ASSERT_EQ(list.count(), 1);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.item(0)).center());
    ASSERT_TRUE(QTest::qWaitFor([&page] { return !page.reading(); }, 20000));
    QCoreApplication::processEvents();
    const QImage stored = Rgb(page.boardPreview()->image());
    const QImage twin = page.boardPreview()->image2x();
    ASSERT_FALSE(stored.isNull());
    ASSERT_EQ(twin.size(), stored.size() * 2);
    EXPECT_EQ(twin.devicePixelRatio(), 2);
    const QImage halved =
        Rgb(twin).scaled(stored.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    long long difference = 0;
    for (int y = 0; y < stored.height(); ++y)
        for (int x = 0; x < stored.width(); ++x) {
            const QRgb a = stored.pixel(x, y), b = halved.pixel(x, y);
            difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                          std::abs(qBlue(a) - qBlue(b));
        }
    EXPECT_LT(difference / (3LL * stored.width() * stored.height()), 8);  // JPEG's own noise
}
