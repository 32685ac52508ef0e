// SPDX-License-Identifier: GPL-3.0-or-later
// Which desktop draws the wallpaper in this session: a pure function of the
// environment, the names owned on the session bus and this user's processes,
// plus the glue that takes that snapshot of the real session.
#pragma once

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace dorvane::platform::wallpaper {

enum class Desktop {
    Gnome,
    Budgie,
    Cinnamon,
    Mate,
    Kde,
    Xfce,
    Lxqt,
    Lxde,
    Deepin,
    Sway,
    OtherWayland,
    X11Root,
    None
};

struct SessionInfo {
    QProcessEnvironment env;
    QStringList busNames;             // names owned on the session bus; empty without a bus
    QList<QStringList> ownProcesses;  // argv of each process of this user
};

// Needs a display (DISPLAY or WAYLAND_DISPLAY); then XDG_CURRENT_DESKTOP, the
// session's name, desktop-specific variables, and last the bus and processes.
Desktop DetectDesktop(const SessionInfo& session);

// The desktop in words for messages: "GNOME", "KDE Plasma", "XFCE", ...
QString DesktopName(Desktop desktop);

// True when one of the processes is `program` (by file name) with `flag` among its
// arguments, e.g. pcmanfm with --desktop.
bool RunsProcess(const QList<QStringList>& processes, const QString& program, const QString& flag);

// The snapshot of this process's own session.
SessionInfo CurrentSession();
QStringList SessionBusNames();  // empty when there is no session bus
// This user's processes on this process's X display (its DISPLAY, or none), from
// /proc: a desktop drawn on another display does not show our wallpaper.
QList<QStringList> OwnProcesses();
// The same from `procRoot` for the user `uid`; "unix:0.0" and ":0" are one display.
QList<QStringList> ProcessesOnDisplay(const QString& procRoot, uint uid, const QString& display);

}  // namespace dorvane::platform::wallpaper
