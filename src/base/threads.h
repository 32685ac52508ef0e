// SPDX-License-Identifier: GPL-3.0-or-later
// Worker threads started through one function, so that tests can make starting
// fail, and work spread over threads with its failures carried to the caller.
#pragma once

#include <functional>
#include <thread>

namespace dorvane::base {

// Starts task on a new thread; throws std::system_error when the system has none
// to give (too many threads, no memory for a stack).
using ThreadStarter = std::function<std::jthread(std::function<void()> task)>;

std::jthread StartThread(std::function<void()> task);

// Runs work on up to `threads` threads at once, the calling thread being one of
// them, and returns when every run has returned. Threads that cannot be started
// are done without: work must share itself out (take its pieces from a queue),
// so the runs that do start finish it. The first exception of any run is thrown
// here, on the calling thread, after all have ended.
void RunOnThreads(int threads, const std::function<void()>& work,
                  const ThreadStarter& start = StartThread);

}  // namespace dorvane::base
