// SPDX-License-Identifier: GPL-3.0-or-later
// "dorvane apply" on plain X11 for two monitors (2560 x 1440 and 1920 x 1080, each
// composed at its size) beside the same on one 2560 x 1440 monitor. compare.py
// starts both X servers and passes: APPLY_BENCH_EXE, APPLY_BENCH_BOARD,
// DISPLAY_ONE, DISPLAY_TWO.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) throw std::runtime_error(std::string(name) + " is not set");
    return value;
}

// dorvane apply with an environment of DISPLAY alone, as a login script might run it.
void Apply(const std::string& display) {
    std::string env = "DISPLAY=" + display;
    std::string exe = Env("APPLY_BENCH_EXE"), board = Env("APPLY_BENCH_BOARD"), apply = "apply";
    std::vector<char*> argv{exe.data(), apply.data(), board.data(), nullptr};
    std::vector<char*> envp{env.data(), nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int started = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&quiet);
    if (started != 0) throw std::runtime_error("cannot start " + exe);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("apply failed");
}

void BM_ApplyOneMonitor(benchmark::State& state) {
    for (auto _ : state) Apply(Env("DISPLAY_ONE"));
}

void BM_ApplyTwoMonitors(benchmark::State& state) {
    for (auto _ : state) Apply(Env("DISPLAY_TWO"));
}

}  // namespace

// Alternating rounds, so that load from elsewhere falls on both alike.
#define DORVANE_ROUNDS(fn) \
    BENCHMARK(fn)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)
DORVANE_ROUNDS(BM_ApplyOneMonitor);
DORVANE_ROUNDS(BM_ApplyTwoMonitors);

BENCHMARK_MAIN();
