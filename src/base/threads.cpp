// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/threads.h"

#include <exception>
#include <mutex>
#include <system_error>
#include <vector>

namespace dorvane::base {

std::jthread StartThread(std::function<void()> task) {
    return std::jthread(std::move(task));
}

void RunOnThreads(int threads, const std::function<void()>& work, const ThreadStarter& start) {
    std::mutex mutex;
    std::exception_ptr failure;
    // An exception must not leave a thread's function: that would end the program.
    const auto run = [&] {
        try {
            work();
        } catch (...) {
            const std::lock_guard lock(mutex);
            if (!failure) failure = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> workers;
        for (int t = 1; t < threads; ++t) {
            try {
                workers.push_back(start(run));
            } catch (const std::system_error&) {
                break;  // no more threads: those started and this one do the work
            }
        }
        run();
    }  // joins the workers
    if (failure) std::rethrow_exception(failure);
}

}  // namespace dorvane::base
