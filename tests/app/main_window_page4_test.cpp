// SPDX-License-Identifier: GPL-3.0-or-later
// Page 4 driven with real keys and mouse events on a 1024 × 768 screen (preview
// 349 × 262, scale 0.3408): the style lists, the text box drags and their limits,
// undo and nudges, and the preview and wallpaper commands.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <atomic>
#include <thread>

#include "compose/readability.h"
#include "compose/set_wallpaper.h"
#include "gallery/preview_window.h"
#include "imaging/bitmap_image.h"
#include "main_window_fixture.h"

namespace fs = std::filesystem;
using dorvane::compose::BoardLook;
using dorvane::compose::LookOf;

namespace {

// The window on page 4 with two one-line goals: a text block 50 high, so the
// default box (10, 10, 1004) shows as the frame (3, 3, 346, 20).
struct Page4 : MainWindowFixture {
    dorvane::app::MainWindow& w;
    Page4() : w(Start()) {
        SetGoal(1, "Learn to sail");
        SetGoal(2, "Read more");
        Click("imgButton4");
    }
    dorvane::app::PreviewCanvas* canvas() const { return w.previewPage()->canvas(); }
    QImage shown() const { return canvas()->image(); }
    void Key(QWidget* to, Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(to, key, mods);
    }
    // A left-button drag through the given points (the first is the press).
    void Drag(std::initializer_list<QPoint> points, Qt::MouseButton button = Qt::LeftButton) {
        const QPoint* p = points.begin();
        QTest::mousePress(canvas(), button, {}, *p);
        for (++p; p != points.end(); ++p) QTest::mouseMove(canvas(), *p);
        QTest::mouseRelease(canvas(), button, {}, *(points.end() - 1));
    }
    std::array<int, 3> Box() const {
        return {w.model().board().TextPosX, w.model().board().TextPosY,
                w.model().board().TextWidth};
    }
    void Undo() { Key(canvas(), Qt::Key_Z, Qt::ControlModifier); }
    void Redo() { Key(canvas(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
    QString UndoName() const { return w.model().undoStack().undoText(); }
};

TEST(Page4, StyleListsHaveTheirPlacesAndItems) {
    Page4 p;
    struct Row {
        const char* list;
        const char* label;
        QRect place;
        int labelLeft;
        int count;
        const char* first;
    };
    const Row rows[] = {
        {"cbFont", "Font", {3, 308, 115, 22}, 3, 2, "Arial"},
        {"cbStyle", "Style", {119, 308, 71, 22}, 119, 4, "regular"},
        {"cbSize", "Size", {191, 308, 42, 22}, 191, 14, "12"},
        {"cbAlign", "Align", {234, 308, 55, 22}, 235, 3, "left"},
        {"cbColor", "Color", {290, 308, 38, 22}, 290, 20, "Black"},
        {"cbShading", "Shading", {329, 308, 52, 22}, 329, 13, "none"},
    };
    for (const Row& r : rows) {
        auto* list = p.w.findChild<QComboBox*>(r.list);
        auto* label = p.w.findChild<QLabel*>(QString("lbl") + (r.list + 2));
        ASSERT_TRUE(list && label) << r.list;
        EXPECT_EQ(list->geometry(), r.place) << r.list;
        EXPECT_EQ(label->text(), r.label);
        EXPECT_EQ(label->pos(), QPoint(r.labelLeft, 294)) << r.list;
        EXPECT_EQ(list->count(), r.count) << r.list;
        EXPECT_EQ(list->currentText(), r.first) << r.list;
        EXPECT_FALSE(list->isEditable());
        EXPECT_EQ(list->palette().color(QPalette::Base), Qt::white);
        EXPECT_EQ(list->font().family() == "Arial", std::string(r.list) != "cbColor") << r.list;
    }
    auto* color = p.w.findChild<QComboBox*>("cbColor");
    EXPECT_EQ(color->itemText(16), "Money Green");
    EXPECT_EQ(color->itemIcon(16).pixmap(16, 12).toImage().pixelColor(8, 6),
              QColor(0xC0, 0xDC, 0xC0));
}

// Each list shows every item whole in its closed field; the three that need it
// narrow their arrow area to make room, the others keep the usual look. The
// outlines and bands added after "bright" have longer names than the field can
// hold: the open list shows them whole.
TEST(Page4, StyleListsShowTheirItemsWhole) {
    Page4 p;
    for (const char* name : {"cbStyle", "cbSize", "cbAlign", "cbShading"}) {
        auto* list = p.w.findChild<QComboBox*>(name);
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.subControls = QStyle::SC_All;
        const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, list);
        for (int i = 0; i < list->count(); ++i) {
            const int width = list->fontMetrics().horizontalAdvance(list->itemText(i));
            if (std::string_view(name) == "cbShading" && i > 2)
                EXPECT_LE(width + 16, list->view()->minimumWidth())
                    << list->itemText(i).toStdString();
            else
                EXPECT_LE(width, field.width() - 2)
                    << name << " " << list->itemText(i).toStdString();
        }
        EXPECT_EQ(list->style() == p.w.style(), std::string_view(name) == "cbSize") << name;
    }
}

TEST(Page4, ChoosingAStyleStoresItsValueAndRedraws) {
    Page4 p;
    struct Row {
        const char* list;
        std::vector<Qt::Key> keys;
        std::function<int(const dorvane::compose::GoalBoard&)> field;
        int expected;
    };
    const Row rows[] = {
        {"cbStyle", {Qt::Key_End}, [](auto& b) { return int(b.FontStyle); }, 3},
        {"cbShading", {Qt::Key_End}, [](auto& b) { return int(b.FontShading); }, 12},
        {"cbSize", {Qt::Key_End}, [](auto& b) { return b.FontSize; }, 36},
        {"cbAlign", {Qt::Key_Down}, [](auto& b) { return int(b.FontAlign); }, 1},
        {"cbColor",
         {Qt::Key_End, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up},
         [](auto& b) { return b.FontColor; },
         0xC0DCC0},
        {"cbFont", {Qt::Key_Down}, [](auto& b) { return int(b.FontName == "Verdana"); }, 1},
    };
    for (const Row& r : rows) {
        const QImage before = p.shown();
        for (Qt::Key k : r.keys) p.Key(p.w.findChild<QComboBox*>(r.list), k);
        EXPECT_EQ(r.field(p.w.model().board()), r.expected) << r.list;
        EXPECT_NE(p.shown(), before) << r.list;
        EXPECT_EQ(p.shown(), dorvane::imaging::ToQImage(p.w.model().composer().preview()))
            << r.list;
    }
    EXPECT_EQ(p.w.model().composer().text().TextHeight,
              2 * (58 + 34) - 10);  // 36 pt, one line each
}

TEST(Page4, ShowingALoadedBoardsStyleRaisesNoChange) {
    Page4 p;
    QCoreApplication::processEvents();
    const QImage before = p.shown();
    const std::uint64_t paints = p.canvas()->paintCount();
    dorvane::compose::GoalBoard loaded = p.w.model().board();
    loaded.FontSize = 16;
    loaded.FontStyle = 2;
    loaded.FontAlign = 1;
    loaded.FontColor = 0x123456;  // not in the list: no colour shown
    p.w.model().replaceBoard(loaded);
    const auto board = p.w.model().board();
    QCoreApplication::processEvents();
    EXPECT_EQ(p.w.findChild<QComboBox*>("cbSize")->currentText(), "16");
    EXPECT_EQ(p.w.findChild<QComboBox*>("cbStyle")->currentText(), "italic");
    EXPECT_EQ(p.w.findChild<QComboBox*>("cbAlign")->currentText(), "center");
    EXPECT_EQ(p.w.findChild<QComboBox*>("cbColor")->currentIndex(), -1);
    EXPECT_EQ(p.shown(), before);
    EXPECT_EQ(p.canvas()->paintCount(), paints);
    EXPECT_EQ(p.w.model().board(), board);
    p.Undo();  // nothing was recorded
    EXPECT_EQ(p.w.model().board(), board);
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(p.w.window());  // FormActivate reads the lists back
    EXPECT_EQ(p.w.model().board(), board);
}

TEST(Page4, DragsOfTheTextBoxAndTheirLimits) {
    struct Row {
        const char* what;
        std::vector<QPoint> path;
        std::array<int, 3> box;  // TextPosX, TextPosY, TextWidth
    };
    const Row rows[] = {
        {"right edge 10 left", {{340, 10}, {330, 10}}, {10, 10, 975}},
        {"right edge past the left", {{340, 10}, {-40, 10}}, {10, 10, 50}},
        {"left edge past the right", {{5, 10}, {400, 10}}, {964, 10, 50}},
        {"move (narrowed at the right)", {{100, 10}, {110, 30}}, {39, 69, 983}},
        {"move past the left, then back", {{100, 10}, {-100, 10}, {0, 10}}, {295, 10, 427}},
        {"move past the top", {{100, 10}, {100, -50}}, {10, 2, 1004}},
        {"move past the bottom", {{100, 10}, {100, 400}}, {10, 716, 1004}},
        {"move past the right", {{100, 10}, {200, 10}}, {303, 10, 719}},
        {"press below the box", {{100, 25}, {200, 100}}, {10, 10, 1004}},
        {"right button", {{100, 10}, {200, 100}}, {10, 10, 1004}},
    };
    Page4 p;
    const auto fresh = p.Box();
    for (const Row& r : rows) {
        const Qt::MouseButton button =
            std::string(r.what) == "right button" ? Qt::RightButton : Qt::LeftButton;
        QTest::mousePress(p.canvas(), button, {}, r.path[0]);
        for (std::size_t i = 1; i < r.path.size(); ++i) {
            QTest::mouseMove(p.canvas(), r.path[i]);
            // Every step of a drag shows a fresh composition at once.
            EXPECT_EQ(p.shown(), dorvane::imaging::ToQImage(p.w.model().composer().preview()))
                << r.what;
        }
        QTest::mouseRelease(p.canvas(), button, {}, r.path.back());
        EXPECT_EQ(p.Box(), r.box) << r.what;
        EXPECT_EQ(p.w.model().composer().drag().DragMode, 0) << r.what;
        p.Undo();  // the whole drag is one step
        EXPECT_EQ(p.Box(), fresh) << r.what;
    }
}

TEST(Page4, TheCursorFollowsTheZones) {
    Page4 p;
    struct Row {
        QPoint at;
        Qt::CursorShape cursor;
    };
    const Row rows[] = {{{5, 10}, Qt::SizeHorCursor},
                        {{100, 10}, Qt::SizeAllCursor},
                        {{340, 10}, Qt::SizeHorCursor},
                        {{100, 25}, Qt::ArrowCursor}};
    for (const Row& r : rows) {
        QMouseEvent move(QEvent::MouseMove, r.at, p.canvas()->mapToGlobal(r.at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(p.canvas(), &move);
        EXPECT_EQ(p.canvas()->cursor().shape(), r.cursor) << r.at.x() << "," << r.at.y();
    }
}

TEST(Page4, UndoAndRedoRestoreExactValues) {
    Page4 p;
    const BoardLook start = LookOf(p.w.model().board());
    p.Drag({{100, 10}, {105, 12}, {110, 30}});  // one step however many moves
    EXPECT_EQ(p.UndoName(), "Move text");
    const BoardLook moved = LookOf(p.w.model().board());
    p.Key(p.w.findChild<QComboBox*>("cbSize"), Qt::Key_End);
    EXPECT_EQ(p.UndoName(), "Size");
    const BoardLook bigger = LookOf(p.w.model().board());
    p.Drag({{345, 30}, {335, 30}});  // the moved box's right edge
    EXPECT_EQ(p.UndoName(), "Resize text");
    EXPECT_EQ(p.w.previewPage()->undoAction()->text(), "Undo Resize text");
    const BoardLook narrower = LookOf(p.w.model().board());
    const QImage last = p.shown();
    for (const BoardLook& expected : {bigger, moved, start, start}) {
        p.Undo();
        EXPECT_EQ(LookOf(p.w.model().board()), expected);
    }
    EXPECT_EQ(p.w.findChild<QComboBox*>("cbSize")->currentText(), "12");
    // Redo by either of the desktop's keys: Ctrl+Shift+Z and Ctrl+Y.
    int n = 0;
    for (const BoardLook& expected : {moved, bigger, narrower, narrower}) {
        if (n++ % 2) {
            p.Key(p.canvas(), Qt::Key_Y, Qt::ControlModifier);
        } else {
            p.Redo();
        }
        EXPECT_EQ(LookOf(p.w.model().board()), expected);
    }
    EXPECT_EQ(p.w.findChild<QComboBox*>("cbSize")->currentText(), "36");
    EXPECT_EQ(p.shown(), last);
    // Sixty separate key presses are sixty steps, and at least fifty are kept;
    // a key held down (auto-repeat) is one step.
    for (int i = 0; i < 60; ++i) p.Key(p.canvas(), Qt::Key_Down);
    EXPECT_EQ(p.UndoName(), "Move text");
    for (int i = 0; i < 50; ++i) p.Undo();
    EXPECT_EQ(p.w.model().board().TextPosY, narrower.TextPosY + 10);
    for (int i = 0; i < 10; ++i) p.Undo();
    EXPECT_EQ(LookOf(p.w.model().board()), narrower);
    p.Key(p.canvas(), Qt::Key_Right);
    for (int i = 0; i < 5; ++i) {
        QKeyEvent held(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(p.canvas(), &held);
    }
    EXPECT_EQ(p.w.model().board().TextPosX, narrower.TextPosX + 6);
    p.Undo();  // the press and its repeats at once
    EXPECT_EQ(LookOf(p.w.model().board()), narrower);
    p.Redo();
    p.w.model().replaceBoard(p.w.model().board());  // a loaded board forgets the history
    p.Undo();
    EXPECT_EQ(p.w.model().board().TextPosX, narrower.TextPosX + 6);
}

// The indicator on the title line follows every change; "Make readable" changes
// only the colour and shading, to 4.5:1 or more, as one step that undo takes back.
TEST(Page4, ReadabilityIndicatorAndMakeReadable) {
    Page4 p;
    auto* color = p.w.findChild<QComboBox*>("cbColor");
    p.Key(color, Qt::Key_End);
    for (int i = 0; i < 11; ++i) p.Key(color, Qt::Key_Up);  // "Silver" on the photograph
    const auto measured = [&p] {
        return dorvane::compose::MeasureBoardReadability(p.w.model().composer().screenPicture(),
                                                         p.w.model().composer().textLayer(),
                                                         p.w.model().board().FontColor);
    };
    auto* label = p.w.previewPage()->readabilityLabel();
    const auto before = measured();
    ASSERT_LT(before.ratio, dorvane::compose::kReadableRatio);
    EXPECT_EQ(label->text().toStdString(),
              "Hard to read (" + dorvane::compose::FormatRatio(before.ratio) + ")");
    EXPECT_TRUE(label->accessibleName().startsWith("Hard to read, contrast "));
    EXPECT_EQ(label->y(), 7);  // the title line, beside the link, over the preview's right
    EXPECT_EQ(label->geometry().right() + 7, p.w.previewPage()->makeReadableButton()->x());
    EXPECT_EQ(p.w.previewPage()->makeReadableButton()->geometry().right(), 367);

    const BoardLook start = LookOf(p.w.model().board());
    const QString hint = p.w.previewPage()->makeReadableButton()->toolTip();
    QTest::mouseClick(p.w.previewPage()->makeReadableButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return p.w.previewPage()->makeReadableButton()->toolTip() != hint; }, 20000));
    const BoardLook fixed = LookOf(p.w.model().board());
    EXPECT_EQ(p.UndoName(), "Make readable");
    EXPECT_GE(measured().ratio, dorvane::compose::kReadableRatio);
    EXPECT_TRUE(label->text().startsWith("Easy to read ("));
    BoardLook same = fixed;
    same.FontColor = start.FontColor;
    same.FontShading = start.FontShading;
    EXPECT_EQ(same, start);  // nothing but the colour and the shading
    EXPECT_NE(fixed, start);
    EXPECT_EQ(p.w.findChild<QComboBox*>("cbShading")->currentIndex(), fixed.FontShading);
    p.Undo();
    EXPECT_EQ(LookOf(p.w.model().board()), start);
    EXPECT_TRUE(label->text().startsWith("Hard to read ("));
    p.Redo();
    EXPECT_EQ(LookOf(p.w.model().board()), fixed);
}

TEST(Page4, ArrowKeysNudgeTheBoxWithinTheScreen) {
    Page4 p;
    auto* hint = p.w.findChild<QLabel*>("lblPreviewKeys");
    ASSERT_NE(hint, nullptr);
    p.w.findChild<QComboBox*>("cbFont")->setFocus();
    EXPECT_FALSE(hint->isVisible());
    QTest::mouseClick(p.canvas(), Qt::LeftButton, {}, {200, 200});  // outside the box
    ASSERT_TRUE(p.canvas()->hasFocus());
    // The line under the preview says what the keys do while they work.
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(), "Arrow keys move the text; Shift moves it by 10.");
    struct Row {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int times;
        std::array<int, 3> box;
    };
    const Row rows[] = {
        {Qt::Key_Right, {}, 1, {11, 10, 1004}},
        {Qt::Key_Down, Qt::ShiftModifier, 2, {11, 30, 1004}},
        {Qt::Key_Up, Qt::ShiftModifier, 5, {11, 2, 1004}},      // the top limit
        {Qt::Key_Right, Qt::ShiftModifier, 1, {21, 2, 1001}},   // narrowed at the right
        {Qt::Key_Left, Qt::ShiftModifier, 4, {2, 2, 984}},      // cut at the left
        {Qt::Key_Down, Qt::ShiftModifier, 100, {2, 716, 984}},  // bottom at H − 2
    };
    for (const Row& r : rows) {
        for (int i = 0; i < r.times; ++i) p.Key(p.canvas(), r.key, r.mods);
        EXPECT_EQ(p.Box(), r.box) << r.key;
    }
    EXPECT_EQ(p.shown(), dorvane::imaging::ToQImage(p.w.model().composer().preview()));
}

TEST(Page4, PreviewAndWallpaperAreTheSameComposition) {
    Page4 p;
    p.w.setPreviewWindow(std::make_unique<dorvane::gallery::FullScreenPreview>());
    dorvane::gallery::FullScreenPreview& preview = *p.w.previewWindow();
    p.Key(p.w.findChild<QComboBox*>("cbShading"), Qt::Key_Down);
    p.Drag({{100, 10}, {130, 100}});
    p.w.showFullPreview();
    const QImage full = preview.picture();
    QTest::mouseClick(&preview, Qt::LeftButton);
    p.dialogs.answers = {true};
    p.w.setWallpaper();
    ASSERT_TRUE(p.WaitForBoxes(2));
    EXPECT_FALSE(p.w.busy());
    ASSERT_EQ(p.desktopPaths.size(), 1u);
    const QImage wallpaper(p.desktopPaths[0]);
    EXPECT_EQ(p.desktopPaths[0].toStdString(),
              (fs::absolute(p.dir / dorvane::compose::kWallpaperFileName)).string());
    ASSERT_EQ(wallpaper.size(), QSize(1024, 768));
    EXPECT_EQ(wallpaper.convertToFormat(QImage::Format_RGB32),
              full.convertToFormat(QImage::Format_RGB32));
    EXPECT_NE(full, dorvane::imaging::ToQImage(p.w.model().composer().screenPicture()));
}

TEST(Page4, SetBackgroundMessages) {
    struct Row {
        const char* what;
        bool yes;
        dorvane::platform::wallpaper::Outcome desktop;
        bool writable;
        std::string told;  // empty: nothing
    };
    const Row rows[] = {
        {"confirmed", true, {true, {}}, true, "Background successfully set!"},
        {"not confirmed", true, {false, "GNOME: gsettings failed"}, true, "not told"},
        {"write failure", true, {true, {}}, false, "An error occured"},
        {"No", false, {true, {}}, true, ""},
    };
    for (const Row& r : rows) {
        Page4 p;
        p.desktopAnswer = r.desktop;
        p.dialogs.answers = {r.yes};
        const fs::path file = p.dir / dorvane::compose::kWallpaperFileName;
        if (!r.writable) fs::create_directory(file);  // a folder in the file's place
        p.w.runLink("setbackground");
        // Written and set on another thread; the message comes when it is done.
        if (r.yes) {
            EXPECT_TRUE(p.WaitForBoxes(2)) << r.what;
        }
        ASSERT_GE(p.dialogs.shown.size(), 1u) << r.what;
        EXPECT_EQ(p.dialogs.shown[0].title, "Set as background");
        EXPECT_EQ(p.dialogs.lastIcon, dorvane::platform::BoxIcon::None);
        const auto told = p.dialogs.texts("inform");
        if (r.told.empty()) {
            EXPECT_TRUE(told.empty()) << r.what;
            EXPECT_FALSE(fs::exists(file)) << r.what;
            EXPECT_TRUE(p.desktopPaths.empty());
            continue;
        }
        ASSERT_EQ(told.size(), 1u) << r.what;
        if (r.told == "not told") {
            EXPECT_EQ(told[0], dorvane::compose::DesktopNotToldMessage(fs::absolute(file).string(),
                                                                       "GNOME: gsettings failed"));
        } else {
            EXPECT_TRUE(told[0].starts_with(r.told)) << told[0];
        }
        EXPECT_EQ(fs::is_regular_file(file), r.writable) << r.what;
        EXPECT_EQ(p.desktopPaths.size(), r.writable ? 1u : 0u) << r.what;
    }
}

TEST(Page4, WhileTheWallpaperIsSetASecondSetIsRefusedAndACloseWaitsForIt) {
    MainWindowFixture f;
    std::atomic<bool> release = false;
    const struct Release {  // also when a check fails, before the window goes
        std::atomic<bool>& release;
        ~Release() { release = true; }
    } guard{release};
    f.configure = [&](dorvane::app::Services& s) {
        s.setDesktopWallpaper = [&](const QString&) {  // a desktop that answers slowly
            while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(5));
            return dorvane::platform::wallpaper::Outcome{true, {}};
        };
    };
    auto& w = f.Start();
    f.Click("imgButton4");
    f.dialogs.answers = {true, true};
    w.runLink("setbackground");
    ASSERT_TRUE(w.busy());
    EXPECT_FALSE(w.previewPage()->bottomText()->isEnabled());
    ASSERT_TRUE(QApplication::overrideCursor());
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
    w.runLink("setbackground");  // refused: not even asked
    EXPECT_EQ(f.dialogs.shown.size(), 1u);
    // Closing asks as ever; Yes hides the window, and the work goes on to its end.
    w.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 5000));
    EXPECT_EQ(f.dialogs.shown.size(), 2u);
    EXPECT_TRUE(w.busy());
    release = true;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.busy(); }, 10000));
    EXPECT_FALSE(QApplication::overrideCursor());
    EXPECT_TRUE(f.dialogs.texts("inform").empty());  // nobody is left to tell
    EXPECT_TRUE(fs::is_regular_file(f.dir / dorvane::compose::kWallpaperFileName));
}

}  // namespace

TEST(Page4, MovedToAnotherMonitorThePreviewIsComposedForIt) {
    Page4 p;
    p.Key(p.w.findChild<QComboBox*>("cbSize"), Qt::Key_Down);  // one step, to undo
    ASSERT_TRUE(p.w.model().undoStack().canUndo());
    const BoardLook before = LookOf(p.w.model().board());
    const struct {
        dorvane::platform::ScreenInfo screen;
        double scale;  // of the box and the letters, from 1024 x 768, at most
    } moves[] = {
        {{2048, 1536, 96}, 2.0},
        {{768, 1024, 96}, 0.75},  // portrait: the smaller side ratio
        {{1024, 768, 96}, 1.0},   // and back: the look it had, not one rounded twice
    };
    for (const auto& m : moves) {
        p.w.setScreen(m.screen);
        ASSERT_TRUE(p.WaitForPicture());
        const auto& model = p.w.model();
        const BoardLook look = LookOf(model.board());
        EXPECT_EQ(model.composer().screenPicture().width(), m.screen.width);
        EXPECT_EQ(model.composer().screenPicture().height(), m.screen.height);
        EXPECT_EQ(model.board().ScreenWidth, m.screen.width);
        EXPECT_LE(look.FontSize, before.FontSize * m.scale + 1);
        EXPECT_NEAR(look.TextWidth, before.TextWidth * m.scale, 2);
        EXPECT_LE(look.TextPosX + look.TextWidth, m.screen.width);  // wholly on the picture
        EXPECT_FALSE(model.undoStack().canUndo());  // its steps were for the other screen
        EXPECT_EQ(p.shown().size(),
                  dorvane::imaging::ToQImage(model.composer().previewPicture()).size());
    }
    EXPECT_EQ(LookOf(p.w.model().board()), before);
}
