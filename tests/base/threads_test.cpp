// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <system_error>

using dorvane::base::RunOnThreads;
using dorvane::base::StartThread;
using dorvane::base::ThreadStarter;

namespace {

// Starts the first `allowed` threads, then fails as a system out of threads does.
ThreadStarter FailingAfter(int allowed) {
    return [allowed, started = 0](std::function<void()> task) mutable {
        if (started++ >= allowed)
            throw std::system_error(
                std::make_error_code(std::errc::resource_unavailable_try_again));
        return StartThread(std::move(task));
    };
}

TEST(RunOnThreads, ThreadsThatCannotStartLeaveTheWorkToTheOthers) {
    for (int allowed : {0, 1, 3}) {
        std::atomic<int> next = 0, done = 0, runs = 0;
        RunOnThreads(
            8,
            [&] {
                ++runs;
                while (next++ < 1000) ++done;
            },
            FailingAfter(allowed));
        EXPECT_EQ(done, 1000) << allowed;
        EXPECT_EQ(runs, allowed + 1) << allowed;
    }
}

TEST(RunOnThreads, AWorkersExceptionIsThrownOnTheCallingThread) {
    const std::thread::id caller = std::this_thread::get_id();
    std::atomic<int> runs = 0;
    EXPECT_THROW(RunOnThreads(3,
                              [&] {
                                  ++runs;
                                  if (std::this_thread::get_id() != caller)
                                      throw std::runtime_error("worker failed");
                              }),
                 std::runtime_error);
    EXPECT_EQ(runs, 3);  // every run ended before the throw
}

}  // namespace
