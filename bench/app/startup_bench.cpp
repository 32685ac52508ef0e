// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up to the first painted frame: the program against a bare Qt widgets
// window of the same size, each started as a fresh process, side by side.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

void RunToFirstFrame(const char* program) {
    std::vector<char*> argv{const_cast<char*>(program), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program, nullptr, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error(std::string("cannot start ") + program);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(std::string(program) + " failed");
}

void Prepare() {
    setenv("DORVANE_QUIT_AFTER_FIRST_FRAME", "1", 1);
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

void BM_StartupToFirstFrame_Dorvane(benchmark::State& state) {
    Prepare();
    for (auto _ : state) RunToFirstFrame(DORVANE_EXE);
}

void BM_StartupToFirstFrame_BareQtWindow(benchmark::State& state) {
    Prepare();
    for (auto _ : state) RunToFirstFrame(BARE_WINDOW_EXE);
}

}  // namespace

// Alternating rounds, so that load from elsewhere falls on both alike.
BENCHMARK(BM_StartupToFirstFrame_BareQtWindow)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(4);
BENCHMARK(BM_StartupToFirstFrame_Dorvane)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(4);

BENCHMARK_MAIN();
