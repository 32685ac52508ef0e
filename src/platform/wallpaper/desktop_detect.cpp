// SPDX-License-Identifier: GPL-3.0-or-later
// Desktop detection from a session snapshot (no system access here).
#include "platform/wallpaper/desktop_detect.h"

#include <array>
#include <optional>
#include <utility>

namespace dorvane::platform::wallpaper {
namespace {

using NameEntry = std::pair<const char*, Desktop>;

// Names as XDG_CURRENT_DESKTOP lists them, lower case. Budgie sessions say
// "Budgie:GNOME", so the table is searched entry by entry: Budgie wins over GNOME
// wherever it stands in the list.
constexpr std::array kDesktopNames = {
    NameEntry{"kde", Desktop::Kde},
    NameEntry{"budgie", Desktop::Budgie},
    NameEntry{"gnome", Desktop::Gnome},
    NameEntry{"gnome-classic", Desktop::Gnome},
    NameEntry{"gnome-flashback", Desktop::Gnome},
    NameEntry{"unity", Desktop::Gnome},
    NameEntry{"pantheon", Desktop::Gnome},
    NameEntry{"x-cinnamon", Desktop::Cinnamon},
    NameEntry{"cinnamon", Desktop::Cinnamon},
    NameEntry{"mate", Desktop::Mate},
    NameEntry{"xfce", Desktop::Xfce},
    NameEntry{"lxqt", Desktop::Lxqt},
    NameEntry{"lxde", Desktop::Lxde},
    NameEntry{"deepin", Desktop::Deepin},
    NameEntry{"dde", Desktop::Deepin},
    NameEntry{"sway", Desktop::Sway},
    NameEntry{"hyprland", Desktop::OtherWayland},
    NameEntry{"river", Desktop::OtherWayland},
    NameEntry{"wayfire", Desktop::OtherWayland},
    NameEntry{"labwc", Desktop::OtherWayland},
};

// Session names (DESKTOP_SESSION and friends) that differ from the desktop names.
constexpr std::array kSessionNames = {
    NameEntry{"plasma", Desktop::Kde},          NameEntry{"plasmawayland", Desktop::Kde},
    NameEntry{"plasmax11", Desktop::Kde},       NameEntry{"kde-plasma", Desktop::Kde},
    NameEntry{"ubuntu", Desktop::Gnome},        NameEntry{"gnome-xorg", Desktop::Gnome},
    NameEntry{"gnome-wayland", Desktop::Gnome}, NameEntry{"cinnamon2d", Desktop::Cinnamon},
    NameEntry{"xubuntu", Desktop::Xfce},        NameEntry{"xfce4", Desktop::Xfce},
    NameEntry{"lubuntu", Desktop::Lxqt},        NameEntry{"lxde-pi", Desktop::Lxde},
};

// Bus names that only a running desktop owns, in the order they are trusted.
constexpr std::array kBusNames = {
    NameEntry{"org.kde.plasmashell", Desktop::Kde},
    NameEntry{"org.gnome.Shell", Desktop::Gnome},
    NameEntry{"org.Cinnamon", Desktop::Cinnamon},
    NameEntry{"org.xfce.xfdesktop", Desktop::Xfce},
    NameEntry{"org.mate.Caja", Desktop::Mate},
    NameEntry{"org.deepin.dde.Appearance1", Desktop::Deepin},
    NameEntry{"com.deepin.daemon.Appearance", Desktop::Deepin},
};

template <std::size_t N>
std::optional<Desktop> Lookup(const std::array<NameEntry, N>& table, const QStringList& names) {
    for (const auto& [name, desktop] : table)
        if (names.contains(QLatin1String(name), Qt::CaseInsensitive)) return desktop;
    return std::nullopt;
}

// "/usr/share/xsessions/plasma.desktop" and "plasma" name the same session.
QString SessionName(QString value) {
    value = value.section(QLatin1Char('/'), -1).toLower();
    if (value.endsWith(QLatin1String(".desktop"))) value.chop(8);
    return value;
}

std::optional<Desktop> FromSessionVariables(const QProcessEnvironment& env) {
    for (const char* variable : {"DESKTOP_SESSION", "XDG_SESSION_DESKTOP", "GDMSESSION"}) {
        const QStringList name{SessionName(env.value(QLatin1String(variable)))};
        if (name.front().isEmpty()) continue;
        if (auto d = Lookup(kDesktopNames, name)) return d;
        if (auto d = Lookup(kSessionNames, name)) return d;
    }
    return std::nullopt;
}

std::optional<Desktop> FromMarkers(const QProcessEnvironment& env, bool x11) {
    if (env.value(QStringLiteral("KDE_FULL_SESSION")) == QLatin1String("true")) return Desktop::Kde;
    if (env.contains(QStringLiteral("GNOME_DESKTOP_SESSION_ID"))) return Desktop::Gnome;
    if (env.contains(QStringLiteral("MATE_DESKTOP_SESSION_ID"))) return Desktop::Mate;
    // sway's session file names no desktop; sway sets SWAYSOCK for its children.
    if (!env.value(QStringLiteral("SWAYSOCK")).isEmpty()) return Desktop::Sway;
    if (x11 && !env.value(QStringLiteral("I3SOCK")).isEmpty()) return Desktop::X11Root;
    return std::nullopt;
}

std::optional<Desktop> FromRunningDesktop(const SessionInfo& session) {
    if (auto d = Lookup(kBusNames, session.busNames)) return d;
    // The bus name is also owned by pcmanfm-qt as a plain file manager.
    if (session.busNames.contains(QStringLiteral("org.pcmanfm.PCManFM")) &&
        RunsProcess(session.ownProcesses, QStringLiteral("pcmanfm-qt"),
                    QStringLiteral("--desktop")))
        return Desktop::Lxqt;
    // LXDE's pcmanfm talks over a socket, not the bus.
    if (RunsProcess(session.ownProcesses, QStringLiteral("pcmanfm"), QStringLiteral("--desktop")))
        return Desktop::Lxde;
    return std::nullopt;
}

}  // namespace

Desktop DetectDesktop(const SessionInfo& session) {
    const QProcessEnvironment& env = session.env;
    const bool wayland = !env.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty() ||
                         env.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland");
    const bool x11 = !wayland && !env.value(QStringLiteral("DISPLAY")).isEmpty();
    if (!wayland && !x11) return Desktop::None;
    const QStringList current = env.value(QStringLiteral("XDG_CURRENT_DESKTOP"))
                                    .split(QLatin1Char(':'), Qt::SkipEmptyParts);
    std::optional<Desktop> found = Lookup(kDesktopNames, current);
    if (!found) found = FromSessionVariables(env);
    if (!found) found = FromMarkers(env, x11);
    if (!found) found = FromRunningDesktop(session);
    if (found) return *found;
    return wayland ? Desktop::OtherWayland : Desktop::X11Root;
}

QString DesktopName(Desktop desktop) {
    switch (desktop) {
        case Desktop::Gnome:
            return QStringLiteral("GNOME");
        case Desktop::Budgie:
            return QStringLiteral("Budgie");
        case Desktop::Cinnamon:
            return QStringLiteral("Cinnamon");
        case Desktop::Mate:
            return QStringLiteral("MATE");
        case Desktop::Kde:
            return QStringLiteral("KDE Plasma");
        case Desktop::Xfce:
            return QStringLiteral("XFCE");
        case Desktop::Lxqt:
            return QStringLiteral("LXQt");
        case Desktop::Lxde:
            return QStringLiteral("LXDE");
        case Desktop::Deepin:
            return QStringLiteral("Deepin");
        case Desktop::Sway:
            return QStringLiteral("sway");
        case Desktop::OtherWayland:
            return QStringLiteral("Wayland desktop");
        case Desktop::X11Root:
            return QStringLiteral("X11 window manager");
        case Desktop::None:
            break;
    }
    return QStringLiteral("no desktop");
}

bool RunsProcess(const QList<QStringList>& processes, const QString& program, const QString& flag) {
    for (const QStringList& argv : processes) {
        if (argv.isEmpty() || argv.front().section(QLatin1Char('/'), -1) != program) continue;
        if (argv.mid(1).contains(flag)) return true;
    }
    return false;
}

}  // namespace dorvane::platform::wallpaper
