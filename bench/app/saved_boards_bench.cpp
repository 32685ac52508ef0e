// SPDX-License-Identifier: GPL-3.0-or-later
// Page 5 with 1,000 saved boards: the list filled and drawn, and one board
// selected until its goals and stored picture are shown. The peer fills a bare
// list widget with the same thousand names (no folder search, no sorting).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QListWidget>
#include <QTextEdit>
#include <filesystem>
#include <fstream>

#include "../support/answering_dialogs.h"
#include "app/image_control.h"
#include "app/saved_boards_page.h"
#include "boards/project_file.h"
#include "compose/goal_text.h"

namespace fs = std::filesystem;
using namespace dorvane;

namespace {

constexpr int kBoards = 1000;

// A thousand real boards saved on a 1920 × 1080 screen, each with its picture.
struct Folder {
    fs::path path =
        fs::temp_directory_path() / ("dorvane-boards-bench-" + std::to_string(::getpid()));
    Folder() {
        fs::create_directories(path);
        imaging::Bitmap picture(1920, 1080);
        for (int y = 0; y < 1080; ++y)
            for (int x = 0; x < 1920; ++x)
                picture.setPixel(x, y, static_cast<std::uint32_t>((x / 8) | ((y / 5) << 8)));
        compose::GoalBoard board = compose::NewBoard(1920);
        board.FontName = "Arial";
        for (int i = 1; i <= 7; ++i) board.Goal[i] = "Goal number " + std::to_string(i);
        compose::TextLayer layer(1920, 1080);
        compose::RenderTextLayer(layer, board, 96, 349);
        boards::WriteProjectFile(path / "first.gls", board, picture, layer);
        const std::string bytes = boards::BoardFileBytes(board, "board");
        for (int i = 0; i < kBoards; ++i)
            std::ofstream(path / ("Board " + std::to_string(i * 7919 % kBoards) + ".gls"),
                          std::ios::binary)
                << bytes;
        fs::remove(path / "first.gls");
    }
    ~Folder() { fs::remove_all(path); }
};

struct Page {
    AnsweringDialogs dialogs{false};
    app::SavedBoardsPage page;
    explicit Page(const fs::path& folder) : page(nullptr, folder, dialogs) {
        page.setReadContext([] {
            return boards::BoardReadContext{
                1920, 1080, {"Arial"}, [](const std::string&) { return 1; }};
        });
        page.show();
    }
};

void BM_SavedBoardsListShown1000(benchmark::State& state) {
    Folder folder;
    Page p(folder.path);
    for (auto _ : state) {
        p.page.listProjects();
        benchmark::DoNotOptimize(p.page.grab());  // drawn, as the user sees it
    }
    if (p.page.boardList()->count() != kBoards) state.SkipWithError("not every board was listed");
}

void BM_SavedBoardsSelectionShown(benchmark::State& state) {
    Folder folder;
    Page p(folder.path);
    p.page.listProjects();
    int row = 0;
    for (auto _ : state) {
        p.page.boardList()->setCurrentRow(row = (row + 337) % kBoards);
        // Read on another thread; shown when its answer comes.
        while (p.page.reading()) QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(p.page.grab());
    }
    if (!p.page.boardPreview()->isVisible() || p.page.goalsMemo()->toPlainText().isEmpty())
        state.SkipWithError("the board was not shown");
}

// The peer: the same names put into a bare list widget and drawn.
void BM_BareListWidget1000(benchmark::State& state) {
    QStringList names;
    for (int i = 0; i < kBoards; ++i) names << QString("Board %1").arg(i);
    QListWidget list;
    list.resize(374, 147);
    list.show();
    for (auto _ : state) {
        list.clear();
        list.addItems(names);
        benchmark::DoNotOptimize(list.grab());
    }
}

}  // namespace

BENCHMARK(BM_SavedBoardsListShown1000)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareListWidget1000)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavedBoardsSelectionShown)->UseRealTime()->Unit(benchmark::kMillisecond);
