// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wallpaper/settle_wait.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace dorvane::platform::wallpaper {
namespace {

struct Settling {
    std::mutex mutex;
    std::condition_variable stopped;
    bool stopping = false;
};

Settling& State() {
    static Settling state;
    return state;
}

}  // namespace

bool SettleFor(int ms) {
    Settling& s = State();
    std::unique_lock lock(s.mutex);
    return !s.stopped.wait_for(lock, std::chrono::milliseconds(ms), [&] { return s.stopping; });
}

void StopSettling() {
    Settling& s = State();
    {
        const std::lock_guard lock(s.mutex);
        s.stopping = true;
    }
    s.stopped.notify_all();
}

}  // namespace dorvane::platform::wallpaper
