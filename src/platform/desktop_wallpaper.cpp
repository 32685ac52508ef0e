// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the wallpaper backend for the running desktop.
#include "platform/desktop_wallpaper.h"

#include "platform/wallpaper/backends.h"
#include "platform/wallpaper/command_runner.h"
#include "platform/wallpaper/desktop_detect.h"
#include "platform/wallpaper/gsettings_backend.h"

namespace dorvane::platform::wallpaper {

Outcome Backend::applyEach(const QList<MonitorPicture>&) {
    return {false, name() + QStringLiteral(": this desktop has no picture per monitor.")};
}

NoDesktopBackend::NoDesktopBackend(Desktop found) : found_(found) {}

Outcome NoDesktopBackend::apply(const QString&) {
    switch (found_) {
        case Desktop::None:
            return {false, QStringLiteral("No supported desktop was found: there is no graphical "
                                          "session (DISPLAY and WAYLAND_DISPLAY are not set).")};
        case Desktop::OtherWayland:
            return {false, QStringLiteral("No supported desktop was found: this Wayland desktop "
                                          "offers programs no way to set the wallpaper.")};
        default:
            return {false, DesktopName(found_) +
                               QStringLiteral(": no supported way to set the wallpaper on this "
                                              "desktop was found.")};
    }
}

std::unique_ptr<Backend> BackendFor(Desktop desktop, CommandRunner& runner) {
    switch (desktop) {
        case Desktop::Gnome:
            return std::make_unique<GSettingsBackend>(GnomeProfile(), runner);
        case Desktop::Budgie:
            return std::make_unique<GSettingsBackend>(BudgieProfile(), runner);
        case Desktop::Cinnamon:
            return std::make_unique<GSettingsBackend>(CinnamonProfile(), runner);
        case Desktop::Mate:
            return std::make_unique<GSettingsBackend>(MateProfile(), runner);
        case Desktop::Xfce:
            return MakeXfceBackend();
        case Desktop::Lxqt:
            return MakeLxqtBackend(runner);
        case Desktop::Lxde:
            return MakeLxdeBackend(runner);
        case Desktop::Kde:
            return MakePlasmaBackend();
        case Desktop::Sway:
            return MakeSwayBackend(runner);
        case Desktop::X11Root:
            return MakeX11RootBackend(runner);
        // Deepin's interface is known only from its sources; whether it shows new
        // content at the same path is untested, so it is not claimed.
        case Desktop::Deepin:
        case Desktop::OtherWayland:
        case Desktop::None:
            break;
    }
    return std::make_unique<NoDesktopBackend>(desktop);
}

Outcome SetDesktopWallpaper(const QString& absPath) {
    ProcessRunner runner;
    const Desktop desktop = DetectDesktop(CurrentSession());
    return BackendFor(desktop, runner)->apply(absPath);
}

CurrentDesktop::CurrentDesktop()
    : runner_(std::make_unique<ProcessRunner>()),
      backend_(BackendFor(DetectDesktop(CurrentSession()), *runner_)) {}

CurrentDesktop::~CurrentDesktop() = default;

}  // namespace dorvane::platform::wallpaper
