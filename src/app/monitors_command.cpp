// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/monitors_command.h"

#include <iostream>

#include "app/command_line.h"
#include "app/command_line_text.h"
#include "compose/monitor_wallpaper.h"
#include "compose/set_wallpaper.h"
#include "platform/data_folder.h"
#include "platform/desktop_wallpaper.h"
#include "platform/display_check.h"
#include "platform/monitors.h"
#include "platform/screen.h"

namespace dorvane::app {
namespace {

namespace fs = std::filesystem;

int Fail(const char* command, int status, const std::string& why) {
    std::cerr << "dorvane " << command << ": " << OneLine(why) << "\n";
    return status;
}

}  // namespace

int RunMonitorsCommand(const std::vector<std::string>& args, char* programName) {
    const auto parsed = ParseArguments(*FindCommandText("monitors"), args);
    if (const auto* complaint = std::get_if<std::string>(&parsed))
        return Fail("monitors", kExitBadArguments, *complaint + " (see dorvane monitors --help)");
    if (const std::string missing = platform::MissingDisplay(); !missing.empty())
        return Fail("monitors", kExitFailed, "no display to list monitors on: " + missing);
    const auto app = MakeCommandApplication(programName, false);
    std::cout << platform::FormatMonitorList(platform::ListMonitors());
    return kExitDone;
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
    } catch (const BoardFileError& e) {  // changed since it was checked
        return Fail("apply", kExitBadArguments, e.what());
    } catch (const std::exception& e) {
        return Fail("apply", kExitFailed, e.what());
    }
    job.board = source.board;
    job.photo = &source.photo;
    job.monitors = monitors;
    job.only = only;
    job.styledFallback = {render.styledWidth, render.styledHeight};
    job.dpi = render.dpi;
    platform::wallpaper::CurrentDesktop desktop;
    const compose::MonitorWallpaperResult result =
        compose::SetMonitorWallpapers(job, desktop.backend());
    for (const std::string& note : result.notes)
        std::cerr << "dorvane apply: note: " << OneLine(note) << "\n";
    using Status = compose::MonitorWallpaperResult::Status;
    if (result.status == Status::Failed) return Fail("apply", kExitFailed, result.message);
    std::string files;
    for (const fs::path& f : result.files) files += (files.empty() ? "" : ", ") + f.string();
    if (result.status == Status::NotShown)
        return Fail("apply", kExitFailed,
                    result.message + " The picture" +
                        (result.files.size() > 1 ? "s are " : " is ") + files);
    if (monitors.size() > 1)
        std::cerr << "dorvane apply: note: " << OneLine(result.message) << "; " << files << "\n";
    std::cout << compose::kWallpaperDone << "\n";
    return kExitDone;
}

}  // namespace dorvane::app
