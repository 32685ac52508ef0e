// SPDX-License-Identifier: GPL-3.0-or-later
// One step of dragging the text box through the real page-4 widget on a
// 3840 × 2160 screen: a mouse move (left button held) delivered to imgPreview
// until the preview has been repainted offscreen. The peer in the same run:
// clearing one whole text layer of that size. Under QT_SCALE_FACTOR=2 the preview
// is composed and shown at device pixels, as on a HiDPI screen.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QMouseEvent>
#include <filesystem>

#include "../support/answering_dialogs.h"
#include "app/board_model.h"
#include "app/main_window.h"
#include "app/preview_page.h"
#include "compose/text_layer.h"

namespace fs = std::filesystem;
using namespace dorvane;

namespace {

class NoLinks : public platform::LinkOpener {
public:
    void open(const std::string&) override {}
};

void SendMouse(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent e(type, at, to->mapToGlobal(at),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(to, &e);
}

void BM_DragStepThroughWidget(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / ("dorvane-page4-" + std::to_string(getpid()));
    fs::create_directories(dir);
    platform::FixedScreen screen({3840, 2160, 96, qApp->devicePixelRatio()});
    AnsweringDialogs dialogs{true};
    NoLinks links;
    app::Services s;
    s.screen = &screen;
    s.dialogs = &dialogs;
    s.links = &links;
    s.dataFolder = dir;
    s.programPath = dir / "dorvane";
    s.fontFamilies = [] { return std::vector<std::string>{"Arial"}; };
    {
        app::MainWindow w(s);
        w.show();
        const std::string words = "Keep going every day and write down what moved you forward ";
        compose::GoalBoard goals = w.model().board();
        for (int i = 1; i <= compose::kGoalCount; ++i)
            goals.Goal[static_cast<std::size_t>(i)] =
                words.substr(static_cast<std::size_t>(i), 59) + "!";
        w.model().setGoals(goals);
        w.showPage(4);
        // The photograph is decoded on another thread; the preview shows once it is in.
        while (!w.previewPage()->canvas()->isVisible()) QCoreApplication::processEvents();
        w.previewPage()->findChild<QComboBox*>("cbSize")->setCurrentText("24");
        auto* shading = w.previewPage()->findChild<QComboBox*>("cbShading");
        shading->setCurrentIndex(1);
        emit shading->activated(1);
        app::PreviewCanvas* canvas = w.previewPage()->canvas();
        const compose::FrameRect f = w.model().composer().text().Frame;
        const QPoint start((f.left + f.right) / 2, (f.top + f.bottom) / 2);
        SendMouse(canvas, QEvent::MouseButtonPress, start, Qt::LeftButton);
        // The whole window's first frame is not part of a step.
        while (canvas->paintCount() == 0) QCoreApplication::processEvents();
        int step = 0;
        bool moved = false;
        for (auto _ : state) {
            const std::uint64_t painted = canvas->paintCount();
            // Back and forth over 40 preview pixels, as a hand does.
            const int dx = 1 + ((step % 80 < 40) ? step % 40 : 40 - step % 40);
            ++step;
            SendMouse(canvas, QEvent::MouseMove, start + QPoint(dx, dx / 2), Qt::LeftButton);
            while (canvas->paintCount() == painted) QCoreApplication::processEvents();
            moved = moved || w.model().board().TextPosX != 10;
        }
        SendMouse(canvas, QEvent::MouseButtonRelease, start, Qt::NoButton);
        if (!moved) state.SkipWithError("the box did not move");
    }
    fs::remove_all(dir);
}

void BM_ClearWholeLayer4K(benchmark::State& state) {
    compose::TextLayer layer(3840, 2160);
    for (auto _ : state) {
        layer.clearAll();
        benchmark::DoNotOptimize(layer.image().constBits());
    }
}

}  // namespace

BENCHMARK(BM_DragStepThroughWidget)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClearWholeLayer4K)->UseRealTime()->Unit(benchmark::kMicrosecond);
