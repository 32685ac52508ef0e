// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/preview_window.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "../support/qt_app.h"

using namespace dorvane::gallery;

TEST(FitPreviewRect, WorkedValues) {
    EXPECT_EQ(FitPreviewRect(1600, 1200, 1920, 1080), QRect(240, 0, 1440, 1080));
    EXPECT_EQ(FitPreviewRect(1920, 1080, 1920, 1080), QRect(0, 0, 1920, 1080));
    EXPECT_EQ(FitPreviewRect(1000, 1000, 1920, 1080), QRect(420, 0, 1080, 1080));
    EXPECT_EQ(FitPreviewRect(95, 71, 1920, 1080), QRect(237, 0, 1445, 1080));  // enlarged
    EXPECT_EQ(FitPreviewRect(1200, 1600, 1024, 768), QRect(224, 0, 576, 768));
    EXPECT_EQ(FitPreviewRect(4000, 1000, 1280, 1024), QRect(0, 352, 1280, 320));
    EXPECT_EQ(FitPreviewRect(0, 10, 1280, 1024), QRect());
}

namespace {

// Shows the window (modal, with no event loop of its own) and closes it with `close`.
bool ClosesWith(const std::function<void(FullScreenPreview&)>& close) {
    QtApp();
    FullScreenPreview preview;
    preview.setScreenBounds(640, 480);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    preview.setPicture(picture);
    preview.present();
    if (!preview.isVisible()) return false;
    close(preview);
    return !preview.isVisible();
}

}  // namespace

TEST(FullScreenPreview, ClosesOnAClickOrAnyKeyShiftAlone) {
    EXPECT_TRUE(ClosesWith([](FullScreenPreview& p) { QTest::mouseClick(&p, Qt::LeftButton); }));
    EXPECT_TRUE(ClosesWith([](FullScreenPreview& p) { QTest::mouseClick(&p, Qt::RightButton); }));
    EXPECT_TRUE(ClosesWith([](FullScreenPreview& p) { QTest::keyClick(&p, Qt::Key_A); }));
    EXPECT_TRUE(ClosesWith([](FullScreenPreview& p) { QTest::keyClick(&p, Qt::Key_Shift); }));
    EXPECT_TRUE(ClosesWith([](FullScreenPreview& p) { QTest::keyClick(&p, Qt::Key_F5); }));
    EXPECT_TRUE(ClosesWith([](FullScreenPreview& p) { QTest::keyClick(&p, Qt::Key_Escape); }));
}

TEST(FullScreenPreview, DrawsThePictureFittedOnWhiteWithItsHint) {
    QtApp();
    FullScreenPreview preview;
    preview.setScreenBounds(640, 480);
    QImage picture(100, 100, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    preview.setPicture(picture);
    const QImage shot = preview.grab().toImage();
    ASSERT_EQ(shot.size(), QSize(640, 480));
    EXPECT_EQ(shot.pixel(79, 240), qRgb(255, 255, 255));  // white band: 80 wide
    EXPECT_EQ(shot.pixel(80, 0), qRgb(255, 0, 0));        // nearest pixel: a 4.8 × 4.8 red block
    EXPECT_EQ(shot.pixel(84, 4), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(85, 5), qRgb(0, 0, 255));
    EXPECT_EQ(shot.pixel(320, 240), qRgb(0, 0, 255));
    EXPECT_EQ(shot.pixel(560, 240), qRgb(255, 255, 255));
    EXPECT_EQ(preview.toolTip(), "Click or press any key to close preview...");
    EXPECT_TRUE(preview.windowFlags() & Qt::FramelessWindowHint);
}
