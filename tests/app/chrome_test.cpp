// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/chrome.h"

#include <gtest/gtest.h>

#include <QTest>

#include "../support/qt_app.h"
#include "platform/bitmap_resource.h"

using namespace dorvane::app;

namespace {

struct Window {
    dorvane::app::Application& app = QtApp();
    QWidget window;
    std::unique_ptr<Chrome> chrome;
    Window() {
        window.setFixedSize(kWindowWidth, kWindowHeight);
        chrome = std::make_unique<Chrome>(&window);
        chrome->loadChromeFaces();
        chrome->applyMask(&window);
    }
    QRect At(const char* name) { return window.findChild<QWidget*>(name)->geometry(); }
};

}  // namespace

TEST(Chrome, SkinAndButtonsAtTheirPlaces) {
    Window w;
    struct Row {
        const char* name;
        QRect place;
    };
    const Row rows[] = {
        {"imgBorderTop", {0, 0, 680, 38}},
        {"imgHeader", {0, 38, 680, 27}},
        {"imgBorderLeft", {0, 65, 10, 413}},
        {"imgButton1", {10, 65, 110, 39}},
        {"imgButton2", {10, 104, 110, 39}},
        {"imgButton5", {10, 221, 110, 39}},
        {"imgButtonBottom", {10, 260, 110, 218}},
        {"imgAddRes", {15, 284, 101, 66}},
        {"imgAbout", {15, 450, 101, 25}},
        {"imgButtonsSide", {120, 65, 11, 413}},
        {"imgBodyTop", {131, 65, 385, 1}},
        {"imgQuote", {516, 65, 144, 413}},
        {"imgBorderRight", {660, 65, 20, 413}},
        {"imgBorderBottom", {0, 478, 680, 41}},
        {"imgMin", {624, 12, 19, 19}},
        {"imgClose", {647, 12, 19, 19}},
    };
    for (const Row& r : rows) EXPECT_EQ(w.At(r.name), r.place) << r.name;
}

TEST(Chrome, CursorsAndTransparency) {
    Window w;
    for (const char* hand : {"imgButton1", "imgButton3", "imgAddRes", "imgAbout"})
        EXPECT_EQ(w.chrome->button(hand).cursor().shape(), Qt::PointingHandCursor) << hand;
    EXPECT_NE(w.chrome->button("imgMin").cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(w.chrome->button("imgAbout").transparent());
    EXPECT_TRUE(w.chrome->button("imgMin").transparent());
    EXPECT_TRUE(w.chrome->button("imgClose").transparent());
    EXPECT_FALSE(w.chrome->button("imgAddRes").transparent());
    EXPECT_EQ(w.chrome->button("imgClose").image(),
              dorvane::platform::BitmapResource("btn_close_up"));
}

TEST(Chrome, CornersAreSeeThroughAndTheRestIsNot) {
    Window w;
    const QRegion shape = w.window.mask();
    for (QPoint corner : {QPoint(0, 0), QPoint(677, 0), QPoint(0, 516), QPoint(677, 516),
                          QPoint(1, 1), QPoint(676, 515)})
        EXPECT_FALSE(shape.contains(corner)) << corner.x() << "," << corner.y();
    for (QPoint inside :
         {QPoint(339, 258), QPoint(30, 0), QPoint(0, 258), QPoint(339, 516), QPoint(10, 10)})
        EXPECT_TRUE(shape.contains(inside)) << inside.x() << "," << inside.y();
}

TEST(SkinMask, CutsExactlyTheKeyColouredPixels) {
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 0, kWindowKeyColor);
    picture.setPixel(1, 0, kWindowKeyColor);
    picture.setPixel(3, 2, kWindowKeyColor);
    picture.setPixel(2, 1, qRgb(101, 67, 34));  // one off: stays
    const QRegion shape = SkinMask({{QPoint(10, 20), picture}}, QSize(40, 40));
    EXPECT_FALSE(shape.contains(QPoint(10, 20)));
    EXPECT_FALSE(shape.contains(QPoint(11, 20)));
    EXPECT_TRUE(shape.contains(QPoint(12, 20)));
    EXPECT_FALSE(shape.contains(QPoint(13, 22)));
    EXPECT_TRUE(shape.contains(QPoint(12, 21)));
    EXPECT_TRUE(shape.contains(QPoint(0, 0)));
}

TEST(InCaption, TopStripButNotTheTwoButtons) {
    struct Row {
        QPoint p;
        bool caption;
    };
    const Row rows[] = {{{0, 0}, true},     {{300, 20}, true},  {{623, 20}, true},
                        {{624, 12}, false}, {{642, 30}, false}, {{643, 12}, true},
                        {{647, 12}, false}, {{665, 30}, false}, {{666, 30}, true},
                        {{679, 37}, true},  {{300, 38}, false}, {{680, 10}, false},
                        {{-1, 10}, false},  {{624, 11}, true},  {{624, 31}, true}};
    for (const Row& r : rows) EXPECT_EQ(InCaption(r.p), r.caption) << r.p.x() << "," << r.p.y();
}

// The down face shows at once, the up face before the command runs, and the
// window's event loop runs all the while (timers, not sleeps).
TEST(AnimateButtonPress, DownFaceThenUpFaceThenTheCommand) {
    Window w;
    ImageControl& close = w.chrome->button("imgClose");
    QImage faceAtCommand;
    bool ran = false;
    AnimateButtonPress(close, "btn_close", &w.window, [&] {
        faceAtCommand = close.image();
        ran = true;
    });
    EXPECT_EQ(close.image(), dorvane::platform::BitmapResource("btn_close_down"));
    EXPECT_FALSE(ran);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ran; }, 5000));
    EXPECT_EQ(faceAtCommand, dorvane::platform::BitmapResource("btn_close_up"));
}

TEST(KeyedOut, MakesTheKeyColourTransparent) {
    QImage face(2, 1, QImage::Format_RGB32);
    face.setPixel(0, 0, qRgb(1, 2, 3));
    face.setPixel(1, 0, qRgb(9, 9, 9));
    const QImage keyed = KeyedOut(face, qRgb(1, 2, 3));
    EXPECT_EQ(qAlpha(keyed.pixel(0, 0)), 0);
    EXPECT_EQ(keyed.pixel(1, 0), qRgb(9, 9, 9));
}
