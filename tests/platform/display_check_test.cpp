// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/display_check.h"

#include <gtest/gtest.h>

namespace dorvane::platform {
namespace {

// Which window system Qt would try, and what is said when none answers. Only
// ":0" and "/run/user/1/wayland-0" answer here.
TEST(MissingDisplay, NamesWhatIsMissingForThePlatformsQtWouldTry) {
    struct Row {
        const char* platform;
        const char* display;
        const char* wayland;
        const char* runtimeDir;
        const char* session;
        std::string missing;
    };
    const Row rows[] = {
        {"", "", "", "", "", "DISPLAY is not set"},
        {"", ":0", "", "", "", ""},
        {"", ":9", "", "", "", "no X server answers at DISPLAY=:9"},
        {"", "", "wayland-0", "/run/user/1", "", ""},
        {"", "", "", "/run/user/1", "wayland", ""},  // libwayland's default name
        {"", ":0", "bogus", "/run/user/1", "", ""},  // Qt falls back to X
        {"", "", "bogus", "", "",
         "XDG_RUNTIME_DIR is not set, so no Wayland compositor, and DISPLAY is not set"},
        {"", "", "bogus", "/run/user/1", "",
         "no Wayland compositor answers at /run/user/1/bogus, and DISPLAY is not set"},
        {"", "", "/run/user/1/wayland-0", "", "", ""},  // an absolute socket path
        {"xcb", "", "wayland-0", "/run/user/1", "", "DISPLAY is not set"},
        {"wayland", ":0", "", "/tmp", "", "no Wayland compositor answers at /tmp/wayland-0"},
        {"wayland-egl;xcb", ":0", "", "", "", ""},
        {"xcb:nograb", ":0", "", "", "", ""},
        {"offscreen", "", "", "", "", ""},
        {"nonexistent", "", "", "", "", ""},  // left to Qt, whose failure is one line too
    };
    for (const Row& r : rows) {
        DisplayEnvironment e;
        e.qpaPlatform = r.platform;
        e.display = r.display;
        e.waylandDisplay = r.wayland;
        e.runtimeDir = r.runtimeDir;
        e.sessionType = r.session;
        e.xAnswers = [](const std::string& d) { return d == ":0"; };
        e.waylandAnswers = [](const std::string& p) { return p == "/run/user/1/wayland-0"; };
        EXPECT_EQ(MissingDisplay(e), r.missing)
            << r.platform << " DISPLAY=" << r.display << " WAYLAND_DISPLAY=" << r.wayland;
    }
}

}  // namespace
}  // namespace dorvane::platform
