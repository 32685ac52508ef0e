// SPDX-License-Identifier: GPL-3.0-or-later
// "dorvane apply" on a 3840 x 2160 plain X11 screen, from start to the desktop's
// confirmation, beside feh and hsetroot setting a ready-made BMP of that size.
// compare.py starts the X server and passes the files:
//   DISPLAY, APPLY_BENCH_EXE (a copy of dorvane), APPLY_BENCH_BOARD, APPLY_BENCH_BMP
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/wallpaper/backends.h"

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) throw std::runtime_error(std::string(name) + " is not set");
    return value;
}

// The program with an environment of DISPLAY alone, as a login script might run it.
void Run(std::vector<std::string> args) {
    std::string display = "DISPLAY=" + Env("DISPLAY");
    std::vector<char*> argv, envp{display.data(), nullptr};
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    // Their messages would mix with the benchmark's JSON on stdout.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int started = posix_spawnp(&pid, argv[0], &quiet, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&quiet);
    if (started != 0) throw std::runtime_error("cannot start " + args[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(args[0] + " failed");
}

void BM_DorvaneApply(benchmark::State& state) {
    for (auto _ : state) Run({Env("APPLY_BENCH_EXE"), "apply", Env("APPLY_BENCH_BOARD")});
}

void BM_FehBgScale(benchmark::State& state) {
    for (auto _ : state) Run({"/usr/bin/feh", "--no-fehbg", "--bg-scale", Env("APPLY_BENCH_BMP")});
}

void BM_HsetrootFill(benchmark::State& state) {
    for (auto _ : state) Run({"/usr/bin/hsetroot", "-fill", Env("APPLY_BENCH_BMP")});
}

// Our root setter alone, in this process: the ready-made BMP read and set.
void BM_OwnRootSetter(benchmark::State& state) {
    dorvane::platform::wallpaper::ProcessRunner runner;
    const auto backend = dorvane::platform::wallpaper::MakeX11RootBackend(runner);
    const QString path = QString::fromStdString(Env("APPLY_BENCH_BMP"));
    for (auto _ : state)
        if (!backend->apply(path).ok) throw std::runtime_error("the root setter failed");
}

}  // namespace

// Alternating rounds, so that load from elsewhere falls on all alike.
#define DORVANE_ROUNDS(fn) \
    BENCHMARK(fn)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)
DORVANE_ROUNDS(BM_FehBgScale);
DORVANE_ROUNDS(BM_DorvaneApply);
DORVANE_ROUNDS(BM_HsetrootFill);
DORVANE_ROUNDS(BM_OwnRootSetter);

BENCHMARK_MAIN();
