// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/monitors_command.h"

#include <iostream>

#include "compose/monitor_wallpaper.h"
#include "compose/set_wallpaper.h"
#include "platform/data_folder.h"
#include "platform/desktop_wallpaper.h"
#include "platform/monitors.h"
#include "platform/screen.h"

namespace dorvane::app {
namespace {

namespace fs = std::filesystem;

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

int Fail(const char* command, int status, const std::string& why) {
    std::cerr << "dorvane " << command << ": " << OneLine(why) << "\n";
    return status;
}

}  // namespace

std::string MonitorsUsage() {
    return "Usage: dorvane monitors\n"
           "\n"
           "Lists the monitors, one a line: the name, the size in device pixels, the\n"
           "position in the desktop's layout and \"primary\" or \"secondary\", separated by\n"
           "tabs. \"dorvane apply\" composes a board for each monitor at its own size: the\n"
           "box, its width and the letters scale from the screen the board was styled on\n"
           "by the smaller of the width and height ratios, the box keeps its share of the\n"
           "free space on each side, and it stays wholly on the picture. Desktops with a\n"
           "picture per monitor (plain X11, XFCE, KDE Plasma, sway) get one file per\n"
           "monitor; the others (GNOME, Budgie, Cinnamon, MATE, LXQt, LXDE) one picture\n"
           "spanning all monitors.\n";
}

int RunMonitorsCommand(const std::vector<std::string>& args, char* programName) {
    if (!args.empty())
        return Fail("monitors", 2, "unexpected argument " + args.front() + " (see dorvane --help)");
    if (!platform::DisplayReachable()) return Fail("monitors", 1, "no display to list monitors on");
    const auto app = MakeCommandApplication(programName, false);
    std::cout << platform::FormatMonitorList(platform::ListMonitors());
    return 0;
}

int ApplyToMonitors(RenderOptions render, const std::string& only) {
    const std::vector<platform::Monitor> monitors = platform::ListMonitors();
    compose::MonitorWallpaperJob job;
    BoardSource source;
    try {
        // A board that does not say where it was styled counts as styled on the
        // primary monitor, as every board was before.
        const platform::ScreenInfo primary = platform::QtScreen().info();
        render.width = render.styledWidth = primary.width;
        render.height = render.styledHeight = primary.height;
        render.dpi = primary.dpi;
        std::vector<std::string> warnings;
        source = LoadBoardSource(render, &warnings);
        for (const std::string& w : warnings) std::cerr << "dorvane apply: warning: " << w << "\n";
        job.folder = platform::DataFolder();
        fs::create_directories(job.folder);
    } catch (const std::exception& e) {
        return Fail("apply", 1, e.what());
    }
    job.board = source.board;
    job.photo = &source.photo;
    job.monitors = monitors;
    job.only = only;
    job.styledFallback = {render.styledWidth, render.styledHeight};
    job.dpi = render.dpi;
    wallpaper::CurrentDesktop desktop;
    const compose::MonitorWallpaperResult result =
        compose::SetMonitorWallpapers(job, desktop.backend());
    for (const std::string& note : result.notes)
        std::cerr << "dorvane apply: note: " << OneLine(note) << "\n";
    using Status = compose::MonitorWallpaperResult::Status;
    if (result.status == Status::Failed) return Fail("apply", 1, result.message);
    std::string files;
    for (const fs::path& f : result.files) files += (files.empty() ? "" : ", ") + f.string();
    if (result.status == Status::NotShown)
        return Fail("apply", 1,
                    result.message + " The picture" +
                        (result.files.size() > 1 ? "s are " : " is ") + files);
    if (monitors.size() > 1)
        std::cerr << "dorvane apply: note: " << OneLine(result.message) << "; " << files << "\n";
    std::cout << compose::kWallpaperDone << "\n";
    return 0;
}

}  // namespace dorvane::app
