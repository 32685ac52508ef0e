// SPDX-License-Identifier: GPL-3.0-or-later
// The view as the program drives it: loading, form controls, images, anchors, settings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QPainter>
#include <QScrollBar>

#include "htmlview/html_view.h"
#include "test_support.h"

namespace dorvane::htmlview {
namespace {

void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        view = std::make_unique<HtmlView>();
        view->setAttribute(Qt::WA_DontShowOnScreen);
        view->resize(385, 412);
        view->show();
        QCoreApplication::processEvents();
        view->OnImageRequest = [this](HtmlView&, const QString& name) {
            requests.push_back(name);
            if (name.startsWith("gifClick", Qt::CaseInsensitive))
                return test::PngBytes({81, 23}, Qt::blue);
            if (name == "gifSpacer") return test::PngBytes({1, 1}, Qt::transparent);
            return QByteArray();
        };
    }
    std::unique_ptr<HtmlView> view;
    std::vector<QString> requests;
};

TEST_F(ViewTest, GoalsFormHasSevenEditsAndOneCheckBoxInOrder) {
    view->loadFromString(test::GoalsPage());
    const auto& controls = view->formControls();
    ASSERT_EQ(controls.size(), 8u);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const FormControl& c = controls[static_cast<std::size_t>(i)];
        EXPECT_EQ(c.name, QString("goal%1").arg(i + 1));
        ASSERT_NE(c.edit(), nullptr);
        EXPECT_EQ(c.edit()->maxLength(), 200);
        EXPECT_TRUE(c.edit()->text().isEmpty());
        EXPECT_TRUE(c.edit()->isVisible());
        // 36 average characters of its font, and within the view.
        const double chars =
            (c.edit()->width() - 6) / QFontMetricsF(c.edit()->font()).averageCharWidth();
        EXPECT_NEAR(chars, 36, 0.5);
        EXPECT_LE(c.edit()->geometry().right(), 385);
    }
    EXPECT_EQ(controls[7].name, "bullets");
    ASSERT_NE(controls[7].checkBox(), nullptr);
    EXPECT_FALSE(controls[7].checkBox()->isChecked());
    // Edits lie one below the other, in document order.
    for (int i = 1; i < 7; ++i)
        EXPECT_GT(controls[static_cast<std::size_t>(i)].widget->y(),
                  controls[static_cast<std::size_t>(i - 1)].widget->y());
}

TEST_F(ViewTest, EditsAcceptAtMostTwoHundredCharacters) {
    view->loadFromString(test::GoalsPage());
    QLineEdit* e = view->formControls()[0].edit();
    e->setFocus();
    e->insert(QString(250, u'x'));
    EXPECT_EQ(e->text().size(), 200);
}

TEST_F(ViewTest, ReloadingGivesFreshEmptyControlsAndDeletesTheOldOnes) {
    view->loadFromString(test::GoalsPage());
    QPointer<QWidget> old = view->formControls()[0].widget;
    view->formControls()[0].edit()->setText("Run a marathon");
    view->formControls()[7].checkBox()->setChecked(true);
    view->loadFromString(test::GoalsPage());
    ASSERT_EQ(view->formControls().size(), 8u);
    EXPECT_NE(view->formControls()[0].widget.data(), old.data());
    EXPECT_TRUE(view->formControls()[0].edit()->text().isEmpty());
    EXPECT_FALSE(view->formControls()[7].checkBox()->isChecked());
    ASSERT_TRUE(old);  // not deleted at once...
    EXPECT_FALSE(old->isVisible());
    FlushDeletes();
    EXPECT_FALSE(old);  // ...but soon after
}

TEST_F(ViewTest, LoadingFromInsideAControlsOwnEventIsSafe) {
    view->loadFromString(test::GoalsPage());
    QLineEdit* edit = view->formControls()[0].edit();
    int loads = 0;
    QObject::connect(edit, &QLineEdit::textChanged, [&] {
        ++loads;
        view->loadFromString("<p>other page</p>");
    });
    QCheckBox* box = view->formControls()[7].checkBox();
    QObject::connect(box, &QCheckBox::toggled, [&] { view->loadFromString(test::GoalsPage()); });
    edit->setText("typed");  // the handler replaces the page while the edit is emitting
    EXPECT_EQ(loads, 1);
    EXPECT_TRUE(view->formControls().empty());
    FlushDeletes();
    view->loadFromString(test::GoalsPage());
    view->formControls()[7].checkBox()->click();
    FlushDeletes();
    EXPECT_EQ(view->formControls().size(), 8u);
}

TEST_F(ViewTest, ImageHandlerLoadingAnotherDocumentLeavesOnlyItsControls) {
    int loads = 0;
    view->OnImageRequest = [&](HtmlView& v, const QString& name) {
        if (loads++ == 0) v.loadFromString(test::GoalsPage());
        return name.isEmpty() ? QByteArray() : test::PngBytes({4, 4}, Qt::red);  // name still valid
    };
    view->loadFromString("<img src=first><input type=text><input type=text>");
    EXPECT_EQ(view->formControls().size(), 8u);
    FlushDeletes();
    const auto shown = view->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    EXPECT_EQ(std::count_if(shown.begin(), shown.end(), [](QWidget* w) { return !w->isHidden(); }),
              8);
}

TEST_F(ViewTest, ImagesAreRequestedOncePerNameFromTheProgramOnly) {
    view->loadFromString(
        "<img src=gifSpacer width=1 height=4><img src=gifSpacer height=10>"
        "<a href=x><img src=gifClickContinue_up width=80 height=21></a>");
    EXPECT_EQ(requests, (std::vector<QString>{"gifSpacer", "gifClickContinue_up"}));
    ASSERT_EQ(view->imageCount(), 3);
    EXPECT_EQ(view->image(1).rect.size(), QSize(1, 10));
    EXPECT_EQ(view->image(2).rect.size(), QSize(80, 21));
    EXPECT_EQ(view->image(2).link, "x");
    EXPECT_EQ(view->image(2).bitmap.size(), QSize(81, 23));
    EXPECT_EQ(view->imageIndex("GIFCLICKCONTINUE_UP"), 2);
}

TEST_F(ViewTest, NoImagesAreRequestedWhenImagesAreOff) {
    view->setViewImages(false);
    view->loadFromString("<img src=gifBar width=376 height=7>");
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(view->image(0).rect.size(), QSize(376, 7));
}

TEST_F(ViewTest, BadImageAnswersGiveBlankImages) {
    view->OnImageRequest = [](HtmlView&, const QString& name) -> QByteArray {
        if (name == "garbage") return QByteArray("GIF89a\x01\x00garbage garbage", 24);
        if (name == "huge") return QByteArray("GIF89a\xff\xff\xff\xff\x00\x00\x00", 13);
        return {};
    };
    view->loadFromString("<img src=none><img src=garbage width=10 height=10><img src=huge>");
    ASSERT_EQ(view->imageCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(view->image(i).bitmap.isNull());
    EXPECT_EQ(view->image(1).rect.size(), QSize(10, 10));
    view->repaint();
}

TEST_F(ViewTest, FailingImageRequestStillLoadsThenReportsTheError) {
    view->OnImageRequest = [](HtmlView&, const QString& name) -> QByteArray {
        if (name == "missing") throw std::runtime_error("Resource \"missing\" not found");
        return test::PngBytes({5, 5}, Qt::red);
    };
    EXPECT_THROW(view->loadFromString("<img src=missing><img src=present><p>text</p>"),
                 std::runtime_error);
    ASSERT_EQ(view->imageCount(), 2);
    EXPECT_TRUE(view->image(0).bitmap.isNull());
    EXPECT_EQ(view->image(1).bitmap.size(), QSize(5, 5));
    EXPECT_GT(view->documentHeight(), 5);
}

TEST_F(ViewTest, ReplacedBitmapIsPaintedInPlace) {
    view->loadFromString("<img src=gifClickSave_up width=81 height=21>");
    const QImage up = view->imageBitmap(0);
    view->setImageBitmap(0, QImage());
    QImage down(81, 21, QImage::Format_RGB32);
    down.fill(Qt::red);
    view->setImageBitmap(0, down);
    view->repaint();
    const QRect r = view->image(0).rect;
    QImage shot(385, 100, QImage::Format_RGB32);
    QPainter p(&shot);
    view->renderDocument(p, QRect(0, 0, 385, 100));
    p.end();
    EXPECT_EQ(shot.pixelColor(r.center()), QColor(Qt::red));
    view->setImageBitmap(0, up);
    shot.fill(Qt::white);
    p.begin(&shot);
    view->renderDocument(p, QRect(0, 0, 385, 100));
    p.end();
    EXPECT_EQ(shot.pixelColor(r.center()), QColor(Qt::blue));
    EXPECT_EQ(view->image(0).rect, r);
}

TEST_F(ViewTest, PositionToScrollsTheAnchorToTheTop) {
    view->setScrollBars(ScrollBars::Vertical);
    view->loadFromString(
        "<a name=\"top\" id=\"top\"></a><img src=gifSpacer height=600><br>"
        "<a name=middle>m</a><img src=gifSpacer height=900><br>end");
    EXPECT_EQ(view->scrollY(), 0);
    EXPECT_TRUE(view->positionTo("#middle"));
    EXPECT_EQ(view->scrollY(), 602);
    EXPECT_TRUE(view->positionTo("#top"));
    EXPECT_EQ(view->scrollY(), 2);  // the anchor sits below the top margin
    EXPECT_FALSE(view->positionTo("#nowhere"));
    EXPECT_EQ(view->scrollY(), 2);
    view->setScrollY(700);
    view->loadFromString("<a name=top></a>short");
    EXPECT_EQ(view->scrollY(), 0);  // a new document starts at its top
}

TEST_F(ViewTest, ScrollBarIsSwitchedAtRunTime) {
    view->loadFromString("<img src=gifSpacer height=2000>");
    EXPECT_EQ(view->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    view->setScrollBars(ScrollBars::Vertical);
    QCoreApplication::processEvents();
    EXPECT_TRUE(view->verticalScrollBar()->isVisible());
    EXPECT_LT(view->viewport()->width(), 385);
    view->setScrollBars(ScrollBars::None);
    QCoreApplication::processEvents();
    EXPECT_FALSE(view->verticalScrollBar()->isVisible());
    EXPECT_EQ(view->viewport()->width(), 385);
}

TEST_F(ViewTest, SettingsChangeTheLayout) {
    view->loadFromString("<img src=gifSpacer width=1 height=1>");
    EXPECT_EQ(view->image(0).rect.topLeft(), QPoint(4, 2));
    view->setMarginWidth(17);
    EXPECT_EQ(view->image(0).rect.topLeft(), QPoint(17, 2));
    view->setMarginHeight(0);
    EXPECT_EQ(view->image(0).rect.topLeft(), QPoint(17, 0));
    view->setDefBackground(QColor(243, 238, 207));
    QImage shot(10, 10, QImage::Format_RGB32);
    QPainter p(&shot);
    view->renderDocument(p, QRect(0, 0, 10, 10));
    p.end();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(243, 238, 207));
}

TEST_F(ViewTest, LoadsFromAStream) {
    QByteArray bytes = "<p>streamed</p>";
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    view->loadFromStream(buffer);
    view->selectAll();
    EXPECT_EQ(view->selectedText(), "streamed");
}

QImage Shot(const HtmlView& view, QSize size) {
    QImage shot(size, QImage::Format_RGB32);
    shot.fill(Qt::black);
    QPainter p(&shot);
    view.renderDocument(p, QRect(QPoint(0, 0), size));
    return shot;
}

TEST_F(ViewTest, QuotationViewShowsCreamBackgroundNoImagesNoScrollBar) {
    ViewSettings s;
    s.marginWidth = 3;
    s.marginHeight = 0;
    s.defBackground = QColor(243, 238, 207);
    s.viewImages = false;
    view->setSettings(s);
    view->resize(144, 265);
    QCoreApplication::processEvents();
    view->loadFromString(
        "<div align=center><em>&raquo;A long quotation that certainly needs "
        "more lines than fit into the small column of the window.&laquo;"
        "</em><br><br><strong>Author</strong></div><br><br><br><br><br><br>"
        "<br><br><br><br><br><br><br><br><br>end");
    EXPECT_TRUE(requests.empty());
    EXPECT_GT(view->documentHeight(), 265);
    EXPECT_FALSE(view->verticalScrollBar()->isVisible());
    EXPECT_EQ(view->viewport()->width(), 144);
    const QImage shot = Shot(*view, {144, 20});
    EXPECT_EQ(shot.pixelColor(1, 1), QColor(243, 238, 207));
}

TEST_F(ViewTest, BodyBackgroundIsDrawnOnceNotRepeated) {
    view->OnImageRequest = [](HtmlView&, const QString&) {
        return test::PngBytes({20, 20}, Qt::red);
    };
    view->loadFromString("<body background=\"gifAboutDV\"><p>text</p></body>");
    ASSERT_EQ(view->imageCount(), 1);
    EXPECT_TRUE(view->image(0).background);
    const QImage shot = Shot(*view, {100, 60});
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(30, 10), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(10, 30), QColor(Qt::white));
    // A click on the text over the background is not on an image.
    auto o = view->objectAt({8, 5});
    EXPECT_TRUE(!o || o->kind != ViewObject::Kind::Image);
}

TEST_F(ViewTest, BodyColoursAndIsoLatin2Text) {
    view->loadFromString(
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\">"
        "<body bgcolor=#CFEEF3>\xB9\xE8</body>");
    view->selectAll();
    EXPECT_EQ(view->selectedText(), QString::fromUtf8("\u0161\u010D"));
    EXPECT_EQ(Shot(*view, {20, 20}).pixelColor(19, 19), QColor(0xCF, 0xEE, 0xF3));
}

}  // namespace
}  // namespace dorvane::htmlview
