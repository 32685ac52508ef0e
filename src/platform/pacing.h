// SPDX-License-Identifier: GPL-3.0-or-later
// The pauses of the button feedback and the "let pending window messages run"
// points, in one place so that tests can count or shorten them.
#pragma once

#include <QCoreApplication>
#include <chrono>
#include <functional>
#include <thread>

namespace dorvane::platform {

struct Pacing {
    std::function<void(int ms)> sleep;
    std::function<void()> processEvents;

    void pause(int ms) const { sleep(ms); }
    void pump() const { processEvents(); }
};

inline Pacing RealPacing() {
    return {[](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); },
            [] { QCoreApplication::processEvents(); }};
}

}  // namespace dorvane::platform
