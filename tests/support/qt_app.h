// SPDX-License-Identifier: GPL-3.0-or-later
// One QApplication for a test executable, on the offscreen platform unless the
// environment asks for another (the end-to-end test runs under Xvfb).
#pragma once

#include <QApplication>

#include "app/application.h"

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
