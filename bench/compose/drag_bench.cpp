// SPDX-License-Identifier: GPL-3.0-or-later
// One step of dragging the text box (RenderTextLayer + RefreshPreview, seven goals
// of 60 characters at 24 points) against its peer in the same run: clearing the
// whole screen-sized layer once. compare.py prints the ratio.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <string>

#include "compose/goal_text.h"
#include "compose/preview.h"
#include "imaging/fit.h"

namespace {

using namespace dorvane;
using namespace dorvane::compose;

GoalBoard SevenGoals(int width) {
    GoalBoard b = NewBoard(width);
    b.FontName = "Arial";
    b.FontSize = 24;
    b.FontColor = 0xFFFFFF;
    b.FontShading = 1;
    b.FontBullets = true;
    const std::string words = "Keep going every day and write down what moved you forward ";
    for (int i = 1; i <= kGoalCount; ++i)
        b.Goal[static_cast<std::size_t>(i)] = words.substr(static_cast<std::size_t>(i), 59) + "!";
    return b;
}

struct Scene {
    TextLayer layer;
    imaging::Bitmap preview;
    GoalBoard board;
    Scene(int w, int h) : layer(w, h), board(SevenGoals(w)) {
        const imaging::Size p = imaging::FitSize(w, h, 353, 262);
        preview = imaging::Bitmap(p.width, p.height);
        preview.fill(0x406080);
        RenderTextLayer(layer, board, 96, preview.width());
    }
};

void BM_DragStep(benchmark::State& state) {
    Scene s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    int step = 0;
    for (auto _ : state) {
        // The box follows the mouse a few pixels at a time, as in a real drag.
        s.board.TextPosX = 10 + (step % 40) * 3;
        s.board.TextPosY = 10 + (step % 40) * 2;
        ++step;
        const TextRenderState text = RenderTextLayer(s.layer, s.board, 96, s.preview.width());
        imaging::Bitmap shown = RefreshPreview(s.preview, s.layer, text);
        benchmark::DoNotOptimize(shown.data());
    }
}

// The preview half of a step alone, to see where a step's time goes.
void BM_RefreshPreview(benchmark::State& state) {
    Scene s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const TextRenderState text = RenderTextLayer(s.layer, s.board, 96, s.preview.width());
    for (auto _ : state) {
        imaging::Bitmap shown = RefreshPreview(s.preview, s.layer, text);
        benchmark::DoNotOptimize(shown.data());
    }
}

void BM_ClearWholeLayer(benchmark::State& state) {
    TextLayer layer(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        layer.clearAll();
        benchmark::DoNotOptimize(layer.image().constBits());
    }
}

void BM_HundredThousandCharacterGoal(benchmark::State& state) {
    TextLayer layer(1024, 768);
    GoalBoard b = NewBoard(1024);
    b.FontName = "Arial";
    std::string goal;
    for (int i = 0; i < 100000; ++i) goal += i % 7 == 6 ? ' ' : static_cast<char>('a' + i % 26);
    b.Goal[1] = goal;
    for (auto _ : state) benchmark::DoNotOptimize(RenderTextLayer(layer, b, 96, 349).TextHeight);
}

BENCHMARK(BM_DragStep)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RefreshPreview)->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClearWholeLayer)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HundredThousandCharacterGoal)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
