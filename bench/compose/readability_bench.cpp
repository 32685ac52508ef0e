// SPDX-License-Identifier: GPL-3.0-or-later
// The readability measure at 1920 × 1080, as page 4 runs it after every change:
// the board's rows composed and searched for glyph cores, the ring round them
// measured. Its peer in the same run is the same measure over the whole composed
// picture, without the hint of where the text lies.
#include <benchmark/benchmark.h>

#include <string>

#include "compose/goal_text.h"
#include "compose/make_readable.h"
#include "compose/overlay.h"
#include "compose/readability.h"
#include "gallery/builtin_pictures.h"
#include "gallery/picture_loader.h"
#include "imaging/fit.h"
#include "imaging/scale.h"

namespace {

using namespace dorvane;
using namespace dorvane::compose;

imaging::Bitmap Photo(int n, int width, int height) {
    gallery::Catalogue pictures;
    for (int i = 1; i <= gallery::kBuiltInPictureCount; ++i)
        pictures.push_back({std::string(gallery::BuiltInPictureName(i)), true, i});
    imaging::Bitmap full;
    gallery::LoadGalleryPicture(n, pictures, {}, full);
    const imaging::Size p = imaging::FitSize(width, height, 353, 262);
    imaging::Bitmap screen(width, height), preview(p.width, p.height);
    imaging::PrepareScreenPictures(full, screen, preview);
    return screen;
}

// Seven goals of 60 characters at 24 points on a band across the screen: the
// largest text area page 4 usually measures.
GoalBoard Board(int goals, std::uint8_t shading) {
    GoalBoard b = NewBoard(1920);
    b.FontName = "Arial";
    b.FontSize = 24;
    b.FontColor = 0xFFFFFF;
    b.FontShading = shading;
    const std::string words = "Keep going every day and write down what moved you forward ";
    for (int i = 1; i <= goals; ++i)
        b.Goal[static_cast<std::size_t>(i)] = words.substr(static_cast<std::size_t>(i), 59) + "!";
    return b;
}

struct Scene {
    imaging::Bitmap screen = Photo(13, 1920, 1080);
    TextLayer layer{1920, 1080};
    GoalBoard board;
    Scene(int goals, std::uint8_t shading) : board(Board(goals, shading)) {
        RenderTextLayer(layer, board, 96, 353);
    }
};

void BM_MeasureReadability1080p(benchmark::State& state) {
    Scene s(static_cast<int>(state.range(0)), static_cast<std::uint8_t>(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(MeasureBoardReadability(s.screen, s.layer, s.board.FontColor));
}

void BM_MeasureReadabilityWholePicture1080p(benchmark::State& state) {
    Scene s(static_cast<int>(state.range(0)), static_cast<std::uint8_t>(state.range(1)));
    imaging::Bitmap composed = s.screen;
    OverlayTextLayer(composed, s.layer);
    for (auto _ : state)
        benchmark::DoNotOptimize(MeasureReadability(composed, s.screen, s.board.FontColor));
}

// The whole "Make readable" for three goals of white text over photograph 13.
void BM_MakeReadable1080p(benchmark::State& state) {
    Scene s(3, 0);
    for (auto _ : state) benchmark::DoNotOptimize(MakeReadable(s.board, s.screen, 96).measured);
}

BENCHMARK(BM_MeasureReadability1080p)
    ->Args({3, 1})
    ->Args({7, 3})
    ->Args({7, 8})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeasureReadabilityWholePicture1080p)->Args({7, 8})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakeReadable1080p)->Unit(benchmark::kMillisecond);

}  // namespace
