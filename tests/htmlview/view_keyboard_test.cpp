// SPDX-License-Identifier: GPL-3.0-or-later
// The view without a mouse: its links in order with their words, Space and Enter
// on the focused link, and what a screen reader reads (text by lines, link children).
#include <gtest/gtest.h>

#include <QAccessible>
#include <QKeyEvent>

#include "htmlview/accessible_text.h"
#include "htmlview/html_view.h"
#include "htmlview/html_view_accessible.h"
#include "test_support.h"

namespace dorvane::htmlview {
namespace {

const char kPage[] =
    "<p>Read <a href=\"guide\">the <b>guide</b></a> first.</p>"
    "<p><a href=\"save\"><img src=w80h21 alt=\"Save\"></a> and more words</p>"
    "<form><input type=text name=goal1><input type=checkbox name=bullets></form>"
    "<p><a href=\"mailto:x@example.com\">write&nbsp;to us</a></p>";

struct KeyboardView : ::testing::Test {
    void SetUp() override {
        test::EnsureApplication();
        static const bool installed = [] {
            QAccessible::installFactory(HtmlViewAccessibleFactory);
            return true;
        }();
        (void)installed;
        view = std::make_unique<HtmlView>();
        view->setAttribute(Qt::WA_DontShowOnScreen);
        view->resize(300, 300);
        view->show();
        view->OnImageRequest = [](HtmlView&, const QString&) {
            return test::PngBytes({80, 21}, Qt::blue);
        };
        view->OnImageClick = [this](HtmlView& v, int i, Qt::MouseButton, Qt::KeyboardModifiers,
                                    QPoint) { log.push_back("image " + v.image(i).source); };
        view->OnHotSpotClick = [this](HtmlView&, const QString& t, bool&) {
            log.push_back("link " + t);
        };
        view->loadFromString(kPage);
    }
    void key(int k, bool repeat = false) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier, QString(), repeat);
        QCoreApplication::sendEvent(view.get(), &e);
    }
    std::unique_ptr<HtmlView> view;
    QStringList log;
};

TEST_F(KeyboardView, LinksInDocumentOrderWithTheirWordsOrPictureNames) {
    ASSERT_EQ(view->linkCount(), 3);
    const struct {
        QString target, text;
        bool image;
    } rows[] = {{"guide", "the guide", false},
                {"save", "Save", true},
                {"mailto:x@example.com", "write to us", false}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(view->linkTarget(i), rows[i].target);
        EXPECT_EQ(view->linkText(i), rows[i].text);
        EXPECT_EQ(view->linkIsImage(i), rows[i].image);
        EXPECT_FALSE(view->linkRect(i).isEmpty());
    }
    // Tab stops: the two links, the edit and the check box, then the last link.
    const auto stops = view->keyboardStops();
    ASSERT_EQ(stops.size(), 5u);
    EXPECT_EQ(stops[0].link, 0);
    EXPECT_EQ(stops[1].link, 1);
    EXPECT_EQ(stops[2].control, view->formControls()[0].widget.data());
    EXPECT_EQ(stops[3].control, view->formControls()[1].widget.data());
    EXPECT_EQ(stops[4].link, 2);
}

TEST_F(KeyboardView, SpaceAndEnterClickTheFocusedLinkImageFirstNeverOnRepeat) {
    key(Qt::Key_Space);  // no link focused: nothing
    EXPECT_TRUE(log.isEmpty());
    view->setFocusedLink(1);
    key(Qt::Key_Space);
    key(Qt::Key_Return, true);
    view->setFocusedLink(0);
    key(Qt::Key_Enter);
    EXPECT_EQ(log, QStringList({"image w80h21", "link save", "link guide"}));
    view->setFocusedLink(7);  // out of range: none
    EXPECT_EQ(view->focusedLink(), -1);
}

TEST_F(KeyboardView, ScreenReaderReadsTheTextByLinesAndTheLinksAsChildren) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view.get());
    ASSERT_TRUE(iface);
    EXPECT_EQ(iface->role(), QAccessible::Document);
    QAccessibleTextInterface* text = iface->textInterface();
    ASSERT_TRUE(text);
    const QString all = text->text(0, text->characterCount());
    EXPECT_TRUE(all.startsWith("Read the guide first.\n")) << all.toStdString();
    EXPECT_TRUE(all.endsWith("write to us")) << all.toStdString();
    int start = -1, end = -1;
    EXPECT_EQ(text->textAtOffset(2, QAccessible::LineBoundary, &start, &end).trimmed(),
              "Read the guide first.");
    EXPECT_EQ(start, 0);
    EXPECT_FALSE(text->characterRect(0).isEmpty());
    // Selecting through the interface selects in the view.
    text->setSelection(0, 5, 14);
    EXPECT_EQ(view->selectedText(), "the guide");
    ASSERT_GE(iface->childCount(), 3);
    const struct {
        QAccessible::Role role;
        QString name;
    } links[] = {{QAccessible::Link, "the guide"},
                 {QAccessible::Button, "Save"},
                 {QAccessible::Link, "write to us"}};
    for (int i = 0; i < 3; ++i) {
        QAccessibleInterface* c = iface->child(i);
        ASSERT_TRUE(c);
        EXPECT_EQ(c->role(), links[i].role);
        EXPECT_EQ(c->text(QAccessible::Name), links[i].name);
        EXPECT_EQ(iface->indexOfChild(c), i);
    }
    // A new document ends the old links' interfaces and names the view by its title.
    QAccessibleInterface* old = iface->child(0);
    view->loadFromString("<title> Saved\n work </title><p>No links.</p>");
    EXPECT_FALSE(old->isValid());
    EXPECT_EQ(old->text(QAccessible::Name), "");
    EXPECT_EQ(iface->text(QAccessible::Name), "Saved work");
    EXPECT_EQ(iface->childCount(), 0);  // no links, controls or scroll bar
}

TEST(AccessibleText, OffsetsAndTextPositionsRoundTripAcrossLineBreaks) {
    test::EnsureApplication();
    const test::Laid laid = test::Lay("<p>ab cd</p><p>ef</p><p>g&nbsp;h</p>", 300);
    const AccessibleText t = BuildAccessibleText(laid.result);
    EXPECT_EQ(t.text, "ab cd\nef\ng h");
    for (int pos = 0; pos <= laid.result.textLength; ++pos)
        EXPECT_EQ(t.textPosOf(t.offsetOf(pos)), pos) << pos;
    EXPECT_EQ(t.spanAt(5), nullptr);  // the line break
    ASSERT_NE(t.spanAt(6), nullptr);
    EXPECT_EQ(t.offsetOf(-4), 0);
    EXPECT_EQ(t.offsetOf(1000), int(t.text.size()));
}

}  // namespace
}  // namespace dorvane::htmlview
