// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on a made-up 1024×768 screen at 96 DPI, with its data folder in
// a fresh temporary folder, dialogs that the test answers and links recorded.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <fstream>
#include <memory>

#include "../platform/temp_folder.h"
#include "../support/fake_dialogs.h"
#include "../support/qt_app.h"
#include "app/board_model.h"
#include "app/main_window.h"
#include "app/preview_page.h"
#include "app/saved_boards_page.h"
#include "gallery/gallery_page.h"
#include "htmlview/html_view.h"
#include "imaging/jpeg.h"
#include "pages/resources_viewer.h"

class RecordingLinks : public dorvane::platform::LinkOpener {
public:
    void open(const std::string& target) override {
        opened.push_back(target);
        if (failing && failureHandler()) failureHandler()(target);
    }
    std::vector<std::string> opened;
    bool failing = false;  // as when no browser can be started
};

struct MainWindowFixture {
    dorvane::app::Application& app = QtApp();
    TempFolder dir;
    dorvane::platform::FixedScreen screen{{1024, 768, 96}};
    FakeDialogs dialogs;
    RecordingLinks links;
    QDate today{2026, 12, 7};
    // The desktop's answers to "show this wallpaper", and the paths it was given.
    dorvane::platform::wallpaper::Outcome desktopAnswer{true, {}};
    std::vector<QString> desktopPaths;
    std::function<void(dorvane::app::Services&)> configure;  // last changes before the start
    std::unique_ptr<dorvane::app::MainWindow> w;

    MainWindowFixture() {
        app.setDialogs(&dialogs);
        std::filesystem::create_directories(gallery());
    }
    ~MainWindowFixture() {
        w.reset();
        app.setDialogs(nullptr);
    }

    std::filesystem::path gallery() const { return dir / "MyGallery"; }

    // Starts the window (call after putting files into the gallery folder).
    dorvane::app::MainWindow& Start() {
        dorvane::app::Services s;
        s.screen = &screen;
        s.dialogs = &dialogs;
        s.links = &links;
        s.programPath = dir / "dorvane";
        s.dataFolder = dir.path();
        s.today = [this] { return today; };
        s.fontFamilies = [] { return std::vector<std::string>{"Arial", "Verdana"}; };
        s.setDesktopWallpaper = [this](const QString& path) {
            desktopPaths.push_back(path);
            return desktopAnswer;
        };
        if (configure) configure(s);
        w = std::make_unique<dorvane::app::MainWindow>(s);
        w->show();
        QApplication::setActiveWindow(w.get());
        // Picture 1 is loaded once the first frame has been painted.
        EXPECT_TRUE(WaitForPicture());
        EXPECT_TRUE(WaitForGallery());
        return *w;
    }

    // The chosen photograph is loaded (on another thread) and in the model.
    bool WaitForPicture() {
        return QTest::qWaitFor(
            [this] { return w->model().pictureLoaded() && !w->loadingPicture(); }, 10000);
    }
    // The gallery folder's thumbnails are decoded and placed.
    bool WaitForGallery() {
        return QTest::qWaitFor([this] { return !w->buildingGallery(); }, 10000);
    }
    // Waits for the n-th message box of all shown so far.
    bool WaitForBoxes(std::size_t n) {
        return QTest::qWaitFor([&] { return dialogs.shown.size() >= n; }, 10000);
    }
    // A goal line of the board, as if typed on page 3.
    void SetGoal(int n, const std::string& text) {
        dorvane::compose::GoalBoard b = w->model().board();
        b.Goal[static_cast<std::size_t>(n)] = text;
        w->model().setGoals(b);
    }

    // A JPEG of one colour.
    std::string Jpeg(const std::filesystem::path& path, int width, int height,
                     std::uint32_t colour = 0x3366CC) {
        dorvane::imaging::Bitmap b(width, height);
        b.fill(colour);
        const auto bytes = dorvane::imaging::EncodeJpeg(b, 95);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    // A click, and the pressed face of a chrome button run to its command.
    void Click(const char* control) {
        QTest::mouseClick(w->findChild<QWidget*>(control), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !w->pressingButton(); }, 5000));
    }
    QWidget* Child(const char* name) const { return w->findChild<QWidget*>(name); }
    // The page control seen at the middle of the body area.
    QWidget* Shown(QPoint at = {300, 250}) const {
        for (QWidget* c = w->childAt(at); c; c = c->parentWidget())
            if (c->parentWidget() == w.get()) return c;
        return nullptr;
    }
    std::vector<dorvane::htmlview::FormControl> Form() const {
        return w->bodyText()->formControls();
    }
    QLineEdit* GoalEdit(int n) const {
        for (const auto& c : Form())
            if (c.name == QString("goal%1").arg(n)) return c.edit();
        return nullptr;
    }
};
