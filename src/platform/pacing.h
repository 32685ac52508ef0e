// SPDX-License-Identifier: GPL-3.0-or-later
// The pauses of the button feedback and the "let pending window messages run"
// points, in one place so that tests can count or shorten them.
#pragma once

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <functional>
#include <thread>

namespace dorvane::platform {

// Runs pending window messages; when there are none, sleeps in the event loop
// until one arrives or ms have passed, so a wait costs no processor time.
inline void WaitForEvents(int ms) {
    QTimer wake;  // its timeout is an event: the wait never outlasts it
    wake.setSingleShot(true);
    wake.start(ms);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

struct Pacing {
    std::function<void(int ms)> sleep;
    std::function<void()> processEvents;
    std::function<void(int ms)> waitForEvents;  // WaitForEvents when empty

    void pause(int ms) const { sleep(ms); }
    void pump() const { processEvents(); }
    void wait(int ms) const { waitForEvents ? waitForEvents(ms) : WaitForEvents(ms); }
};

inline Pacing RealPacing() {
    return {[](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); },
            [] { QCoreApplication::processEvents(); }, &WaitForEvents};
}

}  // namespace dorvane::platform
