// SPDX-License-Identifier: GPL-3.0-or-later
// "setbackground" at 3840 × 2160 up to the file on disk: the screen picture copied,
// the text layer (seven goals at 24 points with a dark shadow) laid over it, the
// BMP written. compare.py times the same composition done with Pillow beside it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "compose/goal_text.h"
#include "compose/set_wallpaper.h"

namespace {

using namespace dorvane;
using namespace dorvane::compose;
namespace fs = std::filesystem;

void BM_SetWallpaper4K(benchmark::State& state) {
    constexpr int kW = 3840, kH = 2160;
    imaging::Bitmap screen(kW, kH);
    for (int y = 0; y < kH; ++y) {
        std::uint8_t* row = screen.row(y);
        for (int x = 0; x < kW; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(x / 15);
            row[3 * x + 1] = static_cast<std::uint8_t>(y / 9);
            row[3 * x + 2] = static_cast<std::uint8_t>((x ^ y) & 255);
        }
    }
    TextLayer layer(kW, kH);
    GoalBoard b = NewBoard(kW);
    b.FontName = "Arial";
    b.FontSize = 24;
    b.FontColor = 0xFFFFFF;
    b.FontShading = 1;
    b.FontBullets = true;
    const std::string words = "Keep going every day and write down what moved you forward ";
    for (int i = 1; i <= kGoalCount; ++i)
        b.Goal[static_cast<std::size_t>(i)] = words.substr(static_cast<std::size_t>(i), 59) + "!";
    RenderTextLayer(layer, b, 96, 353);
    const fs::path folder = state.range(0) ? fs::path(BENCH_OUTPUT_DIR) : fs::temp_directory_path();
    WallpaperDialogs dialogs{[](const std::string&, const std::string&) { return true; },
                             [](const std::string&) {}};
    const DesktopSetter desktop = [](const QString&) {
        return platform::wallpaper::Outcome{true, {}};
    };
    for (auto _ : state) {
        if (SetWallpaper(screen, layer, folder, desktop, dialogs) != WallpaperResult::Set)
            state.SkipWithError("the wallpaper was not written");
    }
    fs::remove(folder / kWallpaperFileName);
}

}  // namespace

// Argument 0: the system's temporary folder; 1: the build folder (the disk).
BENCHMARK(BM_SetWallpaper4K)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);
