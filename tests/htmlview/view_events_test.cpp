// SPDX-License-Identifier: GPL-3.0-or-later
// Mouse use of the view: presses, image and link clicks, objects under the mouse, selection.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>

#include "htmlview/html_view.h"
#include "test_support.h"

namespace dorvane::htmlview {
namespace {

const char kPage[] =
    "<a name=top></a><p>Some plain text here.</p>"
    "<p><a href=\"linkPage4\"><img src=gifClickContinue_up width=80 height=21 border=0></a>"
    " <img src=gifBar width=100 height=7></p><p><a href=\"http://example.com/\">web link</a></p>"
    "<img src=gifSpacer width=1 height=300>";

class EventsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        view = std::make_unique<HtmlView>();
        view->setAttribute(Qt::WA_DontShowOnScreen);
        view->resize(385, 200);
        view->show();
        QCoreApplication::processEvents();
        view->OnImageRequest = [](HtmlView&, const QString&) {
            return test::PngBytes({8, 8}, Qt::green);
        };
        view->OnMouseDown = [this](HtmlView& v, Qt::MouseButton b, Qt::KeyboardModifiers,
                                   QPoint p) {
            EXPECT_EQ(&v, view.get());
            log.push_back(QString("down %1 %2,%3").arg(int(b)).arg(p.x()).arg(p.y()));
        };
        view->OnImageClick = [this](HtmlView& v, int image, Qt::MouseButton, Qt::KeyboardModifiers,
                                    QPoint) { log.push_back("image " + v.image(image).source); };
        view->OnHotSpotClick = [this](HtmlView&, const QString& target, bool& handled) {
            EXPECT_FALSE(handled);
            log.push_back("hotspot " + target);
            handled = true;
        };
        view->loadFromString(kPage);
    }

    void mouse(QEvent::Type type, QPoint p, Qt::MouseButton b = Qt::LeftButton,
               Qt::KeyboardModifiers mods = Qt::NoModifier) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(b);
        QMouseEvent e(type, QPointF(p), view->viewport()->mapToGlobal(QPointF(p)), b, held, mods);
        QCoreApplication::sendEvent(view->viewport(), &e);
    }
    void click(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        mouse(QEvent::MouseButtonPress, p, b);
        mouse(QEvent::MouseButtonRelease, p, b);
    }
    QPoint centreOf(const QString& source) {
        return view->image(view->imageIndex(source)).rect.center() - QPoint(0, view->scrollY());
    }

    std::unique_ptr<HtmlView> view;
    std::vector<QString> log;
};

TEST_F(EventsTest, ImageLinkClickReportsImageThenHotSpot) {
    const QPoint p = centreOf("gifClickContinue_up");
    click(p);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0], QString("down 1 %1,%2").arg(p.x()).arg(p.y()));
    EXPECT_EQ(log[1], "image gifClickContinue_up");
    EXPECT_EQ(log[2], "hotspot linkPage4");
}

TEST_F(EventsTest, ImageWithoutLinkReportsOnlyTheImage) {
    click(centreOf("gifBar"));
    EXPECT_EQ(log, (std::vector<QString>{log[0], "image gifBar"}));
}

TEST_F(EventsTest, TextLinkReportsTheTargetAsWritten) {
    const auto texts = view->objectAt(centreOf("gifBar"));
    ASSERT_TRUE(texts);
    // Find the web link by probing the line below the images.
    QPoint p;
    for (int y = 0; y < 200 && p.isNull(); ++y)
        for (int x = 4; x < 100; x += 3)
            if (auto o = view->objectAt({x, y}); o && o->link == "http://example.com/") {
                p = {x, y};
                break;
            }
    ASSERT_FALSE(p.isNull());
    click(p);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1], "hotspot http://example.com/");
}

TEST_F(EventsTest, PressAndReleaseOnDifferentObjectsIsNoClick) {
    mouse(QEvent::MouseButtonPress, centreOf("gifClickContinue_up"));
    mouse(QEvent::MouseButtonRelease, centreOf("gifBar"));
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(EventsTest, ClicksNeverChangeTheDocument) {
    const int images = view->imageCount();
    const int height = view->documentHeight();
    const QImage before = view->image(1).bitmap;
    for (int i = 0; i < 3; ++i) click(centreOf("gifClickContinue_up"));
    click({200, 150});
    EXPECT_EQ(view->imageCount(), images);
    EXPECT_EQ(view->documentHeight(), height);
    EXPECT_EQ(view->image(1).bitmap, before);
}

TEST_F(EventsTest, HandlerMayLoadAnotherDocumentDuringTheClick) {
    view->OnImageClick = [this](HtmlView& v, int, Qt::MouseButton, Qt::KeyboardModifiers, QPoint) {
        log.push_back("image");
        v.loadFromString("<p>next page</p>");
    };
    click(centreOf("gifClickContinue_up"));
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[2], "hotspot linkPage4");  // the link clicked is still reported
    EXPECT_EQ(view->imageCount(), 0);
}

TEST_F(EventsTest, ObjectAtTellsImagesTextAndEmptySpaceApart) {
    auto img = view->objectAt(centreOf("gifClickContinue_up"));
    ASSERT_TRUE(img);
    EXPECT_EQ(img->kind, ViewObject::Kind::Image);
    EXPECT_EQ(img->index, view->imageIndex("gifClickContinue_up"));
    EXPECT_EQ(img->link, "linkPage4");
    QPoint textPoint;
    for (int y = 0; y < 40 && textPoint.isNull(); ++y)
        if (auto o = view->objectAt({10, y}); o && o->kind == ViewObject::Kind::Text)
            textPoint = {10, y};
    EXPECT_FALSE(textPoint.isNull());
    EXPECT_FALSE(view->objectAt({380, 5}));
    EXPECT_FALSE(view->objectAt({200, 190}));
    // Scrolled: the same client point now shows another part of the page.
    view->setScrollY(100);
    EXPECT_FALSE(view->objectAt(textPoint));
}

TEST_F(EventsTest, MouseDownIsReportedForEveryButton) {
    mouse(QEvent::MouseButtonPress, {300, 150}, Qt::RightButton);
    mouse(QEvent::MouseButtonRelease, {300, 150}, Qt::RightButton);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], "down 2 300,150");
}

TEST_F(EventsTest, DraggingSelectsTextThatCanBeCopied) {
    QPoint start;
    for (int y = 0; y < 40 && start.isNull(); ++y)
        if (auto o = view->objectAt({5, y}); o && o->kind == ViewObject::Kind::Text) start = {5, y};
    ASSERT_FALSE(start.isNull());
    mouse(QEvent::MouseButtonPress, start);
    mouse(QEvent::MouseMove, start + QPoint(300, 0));
    mouse(QEvent::MouseButtonRelease, start + QPoint(300, 0));
    EXPECT_EQ(view->selectedText(), "Some plain text here.");
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QCoreApplication::sendEvent(view.get(), &copy);
    EXPECT_EQ(QApplication::clipboard()->text(), "Some plain text here.");
    view->setNoSelect(true);
    EXPECT_TRUE(view->selectedText().isEmpty());
    mouse(QEvent::MouseButtonPress, start);
    mouse(QEvent::MouseMove, start + QPoint(300, 0));
    EXPECT_TRUE(view->selectedText().isEmpty());
}

}  // namespace
}  // namespace dorvane::htmlview
