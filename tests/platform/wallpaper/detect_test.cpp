// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "../temp_folder.h"
#include "platform/wallpaper/desktop_detect.h"

namespace dorvane::platform::wallpaper {
namespace {

struct Row {
    const char* what;
    QStringList env;  // NAME=value
    QStringList busNames;
    QList<QStringList> processes;
    Desktop expected;
};

SessionInfo Session(const Row& row) {
    SessionInfo session;
    for (const QString& pair : row.env)
        session.env.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
    session.busNames = row.busNames;
    session.ownProcesses = row.processes;
    return session;
}

const QString kX = QStringLiteral("DISPLAY=:0");
const QString kWayland = QStringLiteral("WAYLAND_DISPLAY=wayland-0");

TEST(DetectDesktop, FollowsEnvironmentThenBusThenSessionType) {
    const Row rows[] = {
        {"ubuntu GNOME", {kWayland, "XDG_CURRENT_DESKTOP=ubuntu:GNOME"}, {}, {}, Desktop::Gnome},
        {"Budgie before GNOME", {kX, "XDG_CURRENT_DESKTOP=Budgie:GNOME"}, {}, {}, Desktop::Budgie},
        {"Budgie listed second", {kX, "XDG_CURRENT_DESKTOP=GNOME:Budgie"}, {}, {}, Desktop::Budgie},
        {"GNOME classic", {kX, "XDG_CURRENT_DESKTOP=GNOME-Classic:GNOME"}, {}, {}, Desktop::Gnome},
        {"Unity uses GNOME keys",
         {kX, "XDG_CURRENT_DESKTOP=Unity:Unity7:ubuntu"},
         {},
         {},
         Desktop::Gnome},
        {"Cinnamon", {kX, "XDG_CURRENT_DESKTOP=X-Cinnamon"}, {}, {}, Desktop::Cinnamon},
        {"MATE", {kX, "XDG_CURRENT_DESKTOP=MATE"}, {}, {}, Desktop::Mate},
        {"Plasma", {kWayland, "XDG_CURRENT_DESKTOP=KDE"}, {}, {}, Desktop::Kde},
        {"XFCE in any case", {kX, "XDG_CURRENT_DESKTOP=xfce"}, {}, {}, Desktop::Xfce},
        {"LXQt", {kX, "XDG_CURRENT_DESKTOP=LXQt"}, {}, {}, Desktop::Lxqt},
        {"LXDE", {kX, "XDG_CURRENT_DESKTOP=LXDE"}, {}, {}, Desktop::Lxde},
        {"Deepin", {kX, "XDG_CURRENT_DESKTOP=Deepin"}, {}, {}, Desktop::Deepin},
        {"Hyprland", {kWayland, "XDG_CURRENT_DESKTOP=Hyprland"}, {}, {}, Desktop::OtherWayland},
        {"sway by its socket alone",
         {kWayland, "SWAYSOCK=/run/user/1000/sway-ipc.sock"},
         {},
         {},
         Desktop::Sway},
        {"KDE_FULL_SESSION alone", {kX, "KDE_FULL_SESSION=true"}, {}, {}, Desktop::Kde},
        {"session name plasma", {kX, "DESKTOP_SESSION=plasma"}, {}, {}, Desktop::Kde},
        {"session file path",
         {kX, "DESKTOP_SESSION=/usr/share/xsessions/xfce.desktop"},
         {},
         {},
         Desktop::Xfce},
        {"xubuntu session", {kX, "XDG_SESSION_DESKTOP=xubuntu"}, {}, {}, Desktop::Xfce},
        {"MATE session id",
         {kX, "MATE_DESKTOP_SESSION_ID=this-is-deprecated"},
         {},
         {},
         Desktop::Mate},
        {"i3 on X11", {kX, "XDG_CURRENT_DESKTOP=i3", "I3SOCK=/tmp/i3"}, {}, {}, Desktop::X11Root},
        {"bus names only: Plasma", {kX}, {"org.kde.plasmashell"}, {}, Desktop::Kde},
        {"bus names only: XFCE", {kX}, {":1.4", "org.xfce.xfdesktop"}, {}, Desktop::Xfce},
        {"bus names only: Caja", {kX}, {"org.mate.Caja"}, {}, Desktop::Mate},
        {"pcmanfm-qt as a file manager is no desktop",
         {kX},
         {"org.pcmanfm.PCManFM"},
         {{"pcmanfm-qt"}},
         Desktop::X11Root},
        {"pcmanfm-qt desktop",
         {kX},
         {"org.pcmanfm.PCManFM"},
         {{"/usr/bin/pcmanfm-qt", "--desktop", "--profile=lxqt"}},
         Desktop::Lxqt},
        {"pcmanfm desktop process",
         {kX},
         {},
         {{"pcmanfm", "--desktop", "--profile", "LXDE"}},
         Desktop::Lxde},
        {"environment wins over bus",
         {kX, "XDG_CURRENT_DESKTOP=GNOME"},
         {"org.mate.Caja"},
         {},
         Desktop::Gnome},
        {"plain X11", {kX}, {}, {}, Desktop::X11Root},
        {"XWayland display under Wayland", {kX, kWayland}, {}, {}, Desktop::OtherWayland},
        {"Wayland by session type",
         {kX, "XDG_SESSION_TYPE=wayland"},
         {},
         {},
         Desktop::OtherWayland},
        {"no display at all (ssh)",
         {"XDG_CURRENT_DESKTOP=GNOME"},
         {"org.gnome.Shell"},
         {},
         Desktop::None},
        {"empty display variables", {"DISPLAY=", "WAYLAND_DISPLAY="}, {}, {}, Desktop::None},
        {"unknown name falls through",
         {kX, "XDG_CURRENT_DESKTOP=Foo", "DESKTOP_SESSION=mate"},
         {},
         {},
         Desktop::Mate},
    };
    for (const Row& row : rows) EXPECT_EQ(DetectDesktop(Session(row)), row.expected) << row.what;
}

// LXDE's desktop in a stand-in /proc counts only on our own X display, whatever
// its environment holds.
TEST(ProcessesOnDisplay, CountTheDesktopOfOurDisplayOnly) {
    using namespace std::string_literals;
    struct Case {
        const char* what;
        std::string environment;  // NUL-separated, as /proc/PID/environ
        const char* ours;
        bool lxde;
    };
    const Case cases[] = {
        {"same display", "HOME=/h\0DISPLAY=:0\0"s, ":0", true},
        {"another display", "DISPLAY=:1\0"s, ":0", false},
        {"local host and screen written out", "DISPLAY=unix:0.0\0"s, ":0", true},
        {"a longer number is another display", "DISPLAY=:10\0"s, ":1", false},
        {"another host", "DISPLAY=box:0\0"s, ":0", false},
        {"no DISPLAY", "HOME=/h\0"s, ":0", false},
        {"no display on either side", "HOME=/h\0"s, "", true},
        {"the name inside other entries", "XDISPLAY=:0\0OLD=DISPLAY=:0\0"s, ":0", false},
        {"last entry without its NUL", "HOME=/h\0DISPLAY=:0"s, ":0", true},
        {"beyond the bounded read", std::string(300 * 1024, 'x') + "\0DISPLAY=:0\0"s, ":0", false},
    };
    for (const Case& c : cases) {
        TempFolder proc;
        std::filesystem::create_directory(proc / "4242");
        std::ofstream(proc / "4242/cmdline") << "pcmanfm\0--desktop\0--profile\0LXDE\0"s;
        std::ofstream(proc / "4242/environ") << c.environment;
        const QString root = QString::fromStdString(proc.path().string());
        SessionInfo session;
        session.env.insert("DISPLAY", ":0");
        session.ownProcesses = ProcessesOnDisplay(root, ::getuid(), c.ours);
        EXPECT_EQ(DetectDesktop(session), c.lxde ? Desktop::Lxde : Desktop::X11Root) << c.what;
        EXPECT_TRUE(ProcessesOnDisplay(root, ::getuid() + 1, c.ours).isEmpty()) << c.what;
    }
}

}  // namespace
}  // namespace dorvane::platform::wallpaper
