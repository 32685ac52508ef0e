// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/display_check.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QString>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <vector>

namespace dorvane::platform {
namespace {

bool XServerAnswers(const std::string& display) {
    xcb_connection_t* c = xcb_connect(display.c_str(), nullptr);
    const bool ok = xcb_connection_has_error(c) == 0;
    xcb_disconnect(c);
    return ok;
}

bool WaylandCompositorAnswers(const std::string& path) {
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

// What the X platform lacks here, empty when an X server answers.
std::string XMissing(const DisplayEnvironment& e) {
    if (e.display.empty()) return "DISPLAY is not set";
    const auto answers = e.xAnswers ? e.xAnswers : XServerAnswers;
    if (answers(e.display)) return {};
    return "no X server answers at DISPLAY=" + e.display;
}

// What the Wayland platform lacks, as libwayland looks for its compositor.
std::string WaylandMissing(const DisplayEnvironment& e) {
    if (e.waylandSocket) return {};
    const std::string name = e.waylandDisplay.empty() ? "wayland-0" : e.waylandDisplay;
    std::string path = name;
    if (!name.starts_with('/')) {
        if (e.runtimeDir.empty()) return "XDG_RUNTIME_DIR is not set, so no Wayland compositor";
        path = e.runtimeDir + "/" + name;
    }
    const auto answers = e.waylandAnswers ? e.waylandAnswers : WaylandCompositorAnswers;
    if (answers(path)) return {};
    return "no Wayland compositor answers at " + path;
}

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The message handler of QtStartGuard, and the first note Qt gave meanwhile.
std::string& FirstNote() {
    static std::string note;
    return note;
}

void HoldBackNotes(QtMsgType type, const QMessageLogContext&, const QString& text) {
    std::string line = text.toStdString();
    line = line.substr(0, line.find('\n'));
    if (type != QtFatalMsg) {
        if (FirstNote().empty()) FirstNote() = line;
        return;
    }
    std::cerr << "dorvane: no usable display: " << (FirstNote().empty() ? line : FirstNote())
              << std::endl;
    std::_Exit(1);  // Qt is half started: nothing else may run now
}

}  // namespace

std::string MissingDisplay(const DisplayEnvironment& e) {
    // The platforms Qt tries, in order, as Qt 6 picks them on Linux.
    std::vector<std::string> platforms;
    if (!e.qpaPlatform.empty())
        platforms = Split(e.qpaPlatform, ';');
    else if (!e.waylandDisplay.empty() || e.sessionType == "wayland")
        platforms = {"wayland", "xcb"};
    else
        platforms = {"xcb"};
    std::string missing;
    for (const std::string& platform : platforms) {
        const std::string base = platform.substr(0, platform.find(':'));
        std::string lack;
        if (base == "xcb")
            lack = XMissing(e);
        else if (base.starts_with("wayland"))
            lack = WaylandMissing(e);
        if (lack.empty()) return {};
        missing += (missing.empty() ? "" : ", and ") + lack;
    }
    return missing;
}

std::string MissingDisplay() {
    DisplayEnvironment e;
    e.qpaPlatform = Env("QT_QPA_PLATFORM");
    e.display = Env("DISPLAY");
    e.waylandDisplay = Env("WAYLAND_DISPLAY");
    e.waylandSocket = !Env("WAYLAND_SOCKET").empty();
    e.runtimeDir = Env("XDG_RUNTIME_DIR");
    e.sessionType = Env("XDG_SESSION_TYPE");
    return MissingDisplay(e);
}

QtStartGuard::QtStartGuard() : previous_(nullptr) {
    FirstNote().clear();
    previous_ = qInstallMessageHandler(HoldBackNotes);
}

QtStartGuard::~QtStartGuard() {
    qInstallMessageHandler(previous_);
}

}  // namespace dorvane::platform
