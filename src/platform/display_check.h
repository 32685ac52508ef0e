// SPDX-License-Identifier: GPL-3.0-or-later
// A window system that cannot be reached, found before Qt tries it: Qt ends the
// process with an abort and three lines about plugins when its platform plugin
// cannot start. The program says instead, on one line, what is missing.
#pragma once

#include <QtGlobal>
#include <functional>
#include <string>

namespace dorvane::platform {

struct DisplayEnvironment {
    std::string qpaPlatform;     // $QT_QPA_PLATFORM
    std::string display;         // $DISPLAY
    std::string waylandDisplay;  // $WAYLAND_DISPLAY
    bool waylandSocket = false;  // $WAYLAND_SOCKET is set (a connection handed over)
    std::string runtimeDir;      // $XDG_RUNTIME_DIR
    std::string sessionType;     // $XDG_SESSION_TYPE
    // Whether an X server / a Wayland compositor answers there; the real checks by default.
    std::function<bool(const std::string& display)> xAnswers;
    std::function<bool(const std::string& socketPath)> waylandAnswers;
};

// Empty when a window system that Qt would try answers; otherwise what is missing,
// e.g. "DISPLAY is not set". Platforms without a display server (offscreen, vnc…)
// and names it does not know count as reachable: QtStartGuard covers those.
std::string MissingDisplay(const DisplayEnvironment& environment);

// The same for this process's environment.
std::string MissingDisplay();

// While one lives (around the construction of the Q*Application), Qt's notes are
// held back, and a fatal failure to start its platform ends the process with one
// line "dorvane: no usable display: REASON" and status 1 instead of an abort.
class QtStartGuard {
public:
    QtStartGuard();
    ~QtStartGuard();
    QtStartGuard(const QtStartGuard&) = delete;
    QtStartGuard& operator=(const QtStartGuard&) = delete;

private:
    QtMessageHandler previous_;  // to restore
};

}  // namespace dorvane::platform
