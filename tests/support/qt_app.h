// SPDX-License-Identifier: GPL-3.0-or-later
// One QApplication for a test executable, on the offscreen platform unless the
// environment asks for another (the end-to-end test runs under Xvfb).
#pragma once

#include <QApplication>

#include "app/application.h"
#include "platform/pacing.h"

inline dorvane::app::Application& QtApp() {
    // Never destroyed: Qt's own globals may already be gone at exit.
    static dorvane::app::Application* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "dorvane-test";
        static char* argv[] = {name, nullptr};
        return new dorvane::app::Application(argc, argv);
    }();
    return *app;
}

// A pacing that records its pauses instead of sleeping, and pumps for real.
struct RecordingPacing {
    std::vector<int> pauses;
    std::function<void(int)> onPause;
    dorvane::platform::Pacing pacing() {
        return {[this](int ms) {
                    pauses.push_back(ms);
                    if (onPause) onPause(ms);
                },
                [] { QCoreApplication::processEvents(); },
                {}};  // the real wait
    }
};
