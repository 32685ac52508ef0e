// SPDX-License-Identifier: GPL-3.0-or-later
// The window as assistive technology and a keyboard-only user meet it: roles and
// names of the drawn controls, page 1's text, the Tab order of pages 1 to 5, keys
// that press buttons and links, and the focus ring.
#include <QAccessible>
#include <QScrollBar>

#include "app/focus_ring.h"
#include "gallery/builtin_pictures.h"
#include "main_window_fixture.h"

namespace {

using dorvane::app::FocusStop;
using dorvane::htmlview::HtmlView;

struct Seen {
    QAccessible::Role role;
    QString name;
    friend bool operator==(const Seen&, const Seen&) = default;
};

// A control's name, or for a list that shows its value, the label's text.
QString NameOf(QAccessibleInterface* i) {
    if (i->role() == QAccessible::ComboBox)
        for (const auto& [label, relation] : i->relations(QAccessible::Label))
            return label->text(QAccessible::Name);
    return i->text(QAccessible::Name);
}

// Every object below the window's interface (bounded, in case of a cycle).
std::vector<Seen> Walk(QAccessibleInterface* root) {
    std::vector<Seen> out;
    std::vector<QAccessibleInterface*> todo{root};
    while (!todo.empty() && out.size() < 2000) {
        QAccessibleInterface* i = todo.back();
        todo.pop_back();
        out.push_back({i->role(), NameOf(i)});
        if (i->role() == QAccessible::ComboBox) continue;  // not its popup's items
        for (int c = i->childCount() - 1; c >= 0; --c)
            if (QAccessibleInterface* child = i->child(c)) todo.push_back(child);
    }
    return out;
}

bool Has(const std::vector<Seen>& all, QAccessible::Role role, const QString& name) {
    return std::find(all.begin(), all.end(), Seen{role, name}) != all.end();
}

QString StopName(const FocusStop& s) {
    if (s.link >= 0) return static_cast<HtmlView*>(s.widget)->linkText(s.link);
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(s.widget);
    const QString name = i ? NameOf(i) : QString();
    return name.isEmpty() ? s.widget->objectName() : name;
}

QString FocusName(MainWindowFixture& f) {
    const auto stops = f.w->tabStops();
    const int at = dorvane::app::CurrentStop(stops);
    return at < 0 ? QString("(none)") : StopName(stops[std::size_t(at)]);
}

void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_TRUE(target);
    QTest::keyClick(target, Qt::Key(key), mods);
}

const QStringList kSide = {"Introduction", "Background", "Your goals",
                           "Preview",      "Saved work", "Goal-setting resources",
                           "About Dorvane"};
const QStringList kWindow = {"Minimise", "Close"};

TEST(Accessibility, ChromeButtonsArePushButtonsNamedByTheirCaptions) {
    MainWindowFixture f;
    f.Start();
    const auto all = Walk(QAccessible::queryAccessibleInterface(f.w.get()));
    for (const QString& name : kSide + kWindow)
        EXPECT_TRUE(Has(all, QAccessible::Button, name)) << name.toStdString();
    // The skin is decoration: no unnamed pictures.
    EXPECT_FALSE(Has(all, QAccessible::Graphic, ""));
    // The page-1 link and text named by its title, and nothing from the pages and
    // the quotation beneath (nor the shrunk browser: no unnamed, empty document).
    EXPECT_TRUE(Has(all, QAccessible::Button, "Start now"));
    EXPECT_TRUE(Has(all, QAccessible::Document, "Introduction"));
    EXPECT_FALSE(Has(all, QAccessible::List, "Background pictures"));
    EXPECT_FALSE(Has(all, QAccessible::Document, "Quotation"));
    EXPECT_FALSE(Has(all, QAccessible::Document, ""));
}

TEST(Accessibility, PageOneTextIsReadLineByLine) {
    MainWindowFixture f;
    f.Start();
    QAccessibleInterface* body = QAccessible::queryAccessibleInterface(f.w->bodyText());
    ASSERT_TRUE(body && body->textInterface());
    QAccessibleTextInterface* text = body->textInterface();
    const QString all = text->text(0, text->characterCount());
    for (const char* words : {"Measurable", "Realistic", "Written in present tense"})
        EXPECT_TRUE(all.contains(words)) << words;
    // Line by line from the start, as a screen reader's "next line".
    int offset = 0, lines = 0, start = 0, end = 0;
    while (offset < text->characterCount() && lines < 1000) {
        text->textAtOffset(offset, QAccessible::LineBoundary, &start, &end);
        ASSERT_GT(end, offset);
        offset = end;
        ++lines;
    }
    EXPECT_GT(lines, 40);
}

TEST(Accessibility, PagesTwoToFiveExposeTheirControlsByName) {
    MainWindowFixture f;
    f.Start();
    f.w->showPage(2);
    auto all = Walk(QAccessible::queryAccessibleInterface(f.w.get()));
    EXPECT_TRUE(Has(all, QAccessible::List, "Background pictures"));
    // Each photograph by what it shows ("Flamingos" is a nuthatch).
    for (int n = 1; n <= dorvane::gallery::kBuiltInPictureCount; ++n) {
        const std::string_view shows = dorvane::gallery::BuiltInPictureDescription(n);
        EXPECT_TRUE(Has(all, QAccessible::ListItem, QString::fromUtf8(shows.data(), shows.size())))
            << n;
    }
    EXPECT_TRUE(Has(all, QAccessible::Button, "Add picture"));
    QAccessibleInterface* first =
        QAccessible::queryAccessibleInterface(f.w->galleryPage()->findThumbnail(1));
    EXPECT_TRUE(first->state().selected);

    f.w->showPage(3);
    all = Walk(QAccessible::queryAccessibleInterface(f.w.get()));
    for (int n = 1; n <= 7; ++n)
        EXPECT_TRUE(Has(all, QAccessible::EditableText, QString("Goal %1").arg(n))) << n;
    EXPECT_TRUE(Has(all, QAccessible::CheckBox, "Add bullets to text"));
    EXPECT_TRUE(Has(all, QAccessible::Button, "Continue"));
    EXPECT_FALSE(Has(all, QAccessible::List, "Background pictures"));

    f.w->showPage(4);
    all = Walk(QAccessible::queryAccessibleInterface(f.w.get()));
    EXPECT_TRUE(Has(all, QAccessible::Graphic, "Preview of the goal board"));
    EXPECT_FALSE(Has(all, QAccessible::StaticText, "Generating preview..."));  // under it
    for (const char* name : {"Font", "Style", "Size", "Align", "Color", "Shading"})
        EXPECT_TRUE(Has(all, QAccessible::ComboBox, name)) << name;
    for (const char* name : {"Preview", "Save", "Set as wallpaper"})
        EXPECT_TRUE(Has(all, QAccessible::Button, name)) << name;

    f.w->showPage(5);
    all = Walk(QAccessible::queryAccessibleInterface(f.w.get()));
    for (const char* name : {"Load", "Delete"})
        EXPECT_TRUE(Has(all, QAccessible::Button, name)) << name;
}

// Tab from the first side button round the window and back with Shift+Tab.
TEST(Accessibility, TabVisitsEveryControlOfEachPageInOrder) {
    MainWindowFixture f;
    f.Start();
    const std::map<int, QStringList> pages = {
        {1, {"Start now"}},
        {2, {"Background pictures", "Add picture", "Continue"}},
        {3,
         {"Goal 1", "Goal 2", "Goal 3", "Goal 4", "Goal 5", "Goal 6", "Goal 7",
          "Add bullets to text", "Continue"}},
        {4,
         {"Preview of the goal board", "Font", "Style", "Size", "Align", "Color", "Shading",
          "Preview", "Save", "Set as wallpaper", "Make readable"}},
        {5, {"Saved goal boards", "Load", "Delete", "Goals of the chosen board"}},
    };
    for (const auto& [page, controls] : pages) {
        SCOPED_TRACE(page);
        f.w->showPage(page);
        f.w->chrome().button("imgButton1").setFocus(Qt::OtherFocusReason);
        const QStringList expected = kSide + controls + kWindow;
        QStringList forward{FocusName(f)};
        for (int i = 1; i < expected.size(); ++i) {
            Key(Qt::Key_Tab);
            forward << FocusName(f);
        }
        EXPECT_EQ(forward, expected);
        Key(Qt::Key_Tab);
        EXPECT_EQ(FocusName(f), "Introduction");  // round the end
        QStringList backward;
        for (int i = 0; i < expected.size(); ++i) {
            Key(Qt::Key_Backtab);
            backward.prepend(FocusName(f));
        }
        EXPECT_EQ(backward, expected);
    }
}

TEST(Accessibility, KeysPressButtonsAndLinksAndMoveThePicture) {
    MainWindowFixture f;
    f.Start();
    f.w->chrome().button("imgButton2").setFocus(Qt::TabFocusReason);
    Key(Qt::Key_Space);
    EXPECT_EQ(f.w->currentPage(), 2);
    EXPECT_EQ(FocusName(f), "Background");         // the focus stays on the side button
    for (int i = 0; i < 6; ++i) Key(Qt::Key_Tab);  // the other side buttons, then the page
    EXPECT_EQ(FocusName(f), "Background pictures");
    for (int i = 0; i < 2; ++i) Key(Qt::Key_Down);
    EXPECT_EQ(f.w->model().gallery().SelectedPicture, 7);
    EXPECT_EQ(f.w->galleryPage()->scrollArea()->verticalScrollBar()->value(),
              83);  // not scrolled twice
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    EXPECT_EQ(FocusName(f), "Continue");
    Key(Qt::Key_Return);  // the link runs after its button's pressed face
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.w->currentPage() == 3; }, 5000));
    EXPECT_EQ(FocusName(f), "Goal 1");
    QTest::keyClicks(QApplication::focusWidget(), "Run 5 km");
    for (int i = 0; i < 8; ++i) Key(Qt::Key_Tab);
    EXPECT_EQ(FocusName(f), "Continue");
    Key(Qt::Key_Enter);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.w->currentPage() == 4; }, 5000));
    EXPECT_EQ(f.w->model().board().Goal[1], "Run 5 km");
}

TEST(Accessibility, FocusRingShowsOnlyAfterTheKeyboardIsUsed) {
    MainWindowFixture f;
    f.Start();
    const dorvane::app::FocusRing& ring = *f.w->focusRing();
    EXPECT_TRUE(ring.ring().isEmpty());  // a mouse user never sees it
    f.w->chrome().button("imgButton1").setFocus(Qt::OtherFocusReason);
    Key(Qt::Key_Tab);
    QWidget& second = f.w->chrome().button("imgButton2");
    EXPECT_EQ(ring.ring(), second.geometry());
    // Two tones, to show on light faces and on amber ones: amber outside, ink inside.
    const QImage shot = f.w->grab().toImage();
    const QPoint edge(second.x(), second.geometry().center().y());
    EXPECT_EQ(shot.pixel(edge), dorvane::app::kFocusRingColour);
    EXPECT_EQ(shot.pixel(edge + QPoint(2, 0)), dorvane::app::kFocusRingInk);
    f.w->showPage(3);
    QLineEdit* goal = f.GoalEdit(1);
    ASSERT_TRUE(goal->hasFocus());
    const QRect edit(goal->mapTo(f.w.get(), QPoint(0, 0)), goal->size());
    EXPECT_TRUE(ring.ring().contains(edit));
    QTest::mouseClick(f.w->quoteText()->viewport(), Qt::LeftButton);
    EXPECT_TRUE(ring.ring().isEmpty());
}

}  // namespace

// Page 5's Load and Delete buttons stand just above the separator ornament: their
// ring stays off it.
TEST(Accessibility, TheRingOfAPageLinkStaysOffTheOrnamentBelow) {
    MainWindowFixture f;
    f.Start();
    f.w->showPage(5);
    dorvane::htmlview::HtmlView& links = *f.w->savedBoardsPage()->bottomText();
    const auto window = [&links](QRect r) {
        return QRect(links.viewport()->mapTo(links.window(), r.topLeft()), r.size());
    };
    QRect ornament;
    for (int i = 0; i < links.imageCount(); ++i)
        if (links.image(i).source == "gifBar") ornament = window(links.image(i).rect);
    ASSERT_FALSE(ornament.isEmpty());
    links.setFocus(Qt::OtherFocusReason);
    for (int link = 0; link < links.linkCount(); ++link) {
        links.setFocusedLink(link);
        Key(Qt::Key_Shift);  // the keyboard is in use
        const QRect ring = f.w->focusRing()->ring();
        ASSERT_FALSE(ring.isEmpty()) << link;
        EXPECT_TRUE(ring.contains(window(links.linkRect(link)))) << link;
        EXPECT_FALSE(ring.intersects(ornament)) << link;
    }
}
