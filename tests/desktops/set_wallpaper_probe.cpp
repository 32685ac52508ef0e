// SPDX-License-Identifier: GPL-3.0-or-later
// set_wallpaper_probe PATH: has the running desktop show PATH through the
// wallpaper layer, as the program does, and prints the outcome. Exit status 0
// only when the desktop confirmed. Used by tests/desktops/run.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <memory>

#include "platform/desktop_wallpaper.h"
#include "platform/wallpaper/desktop_detect.h"

int main(int argc, char** argv) {
    using namespace dorvane::platform::wallpaper;
    // The screens' names (XFCE) need a display connection.
    std::unique_ptr<QCoreApplication> app;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QGuiApplication>(argc, argv);
    QTextStream out(stdout);
    if (argc != 2) {
        out << "usage: set_wallpaper_probe ABSOLUTE_PATH\n";
        return 2;
    }
    out << "desktop: " << DesktopName(DetectDesktop(CurrentSession())) << "\n";
    const Outcome outcome = SetDesktopWallpaper(QString::fromLocal8Bit(argv[1]));
    out << (outcome.ok ? "ok: " : "failed: ") << outcome.detail << "\n";
    return outcome.ok ? 0 : 1;
}
