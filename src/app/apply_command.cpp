// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/apply_command.h"

#include <fstream>
#include <iostream>

#include "app/command_line.h"
#include "app/command_line_text.h"
#include "app/monitors_command.h"
#include "app/render_command.h"
#include "base/error.h"
#include "compose/bmp_writer.h"
#include "compose/set_wallpaper.h"
#include "platform/data_folder.h"
#include "platform/desktop_wallpaper.h"
#include "platform/display_check.h"
#include "platform/screen.h"

namespace dorvane::app {
namespace {

namespace fs = std::filesystem;

int Fail(int status, const std::string& why) {
    std::cerr << "dorvane apply: " << OneLine(why) << "\n";
    return status;
}

// Composes the board, writes the file as "set as background" does, sets it;
// returns the exit status.
int Apply(RenderOptions render) {
    BoardLayers board;
    try {
        if (render.width == 0) {
            const platform::ScreenInfo screen = platform::QtScreen().info();
            render.width = screen.width;
            render.height = screen.height;
            render.dpi = screen.dpi;
        }
        std::vector<std::string> warnings;
        board = RenderBoardLayers(render, &warnings);
        for (const std::string& w : warnings) std::cerr << "dorvane apply: warning: " << w << "\n";
    } catch (const BoardFileError& e) {  // changed since it was checked
        return Fail(kExitBadArguments, e.what());
    } catch (const std::exception& e) {
        return Fail(kExitFailed, e.what());
    }
    fs::path path;
    try {
        path = fs::absolute(platform::DataFolder() / compose::kWallpaperFileName);
        fs::create_directories(path.parent_path());
        compose::WriteComposedBmpFile(path, board.screen, board.layer);
    } catch (const std::exception& e) {
        return Fail(kExitFailed, e.what());
    }
    const platform::wallpaper::Outcome outcome =
        platform::wallpaper::SetDesktopWallpaper(QString::fromStdString(path.string()));
    if (!outcome.ok)
        return Fail(kExitFailed, outcome.detail.toStdString() + " The picture is " + path.string());
    std::cout << compose::kWallpaperDone << "\n";
    return kExitDone;
}

}  // namespace

std::variant<ApplyOptions, std::string> ParseApplyArguments(const std::vector<std::string>& args) {
    auto parsed = ParseArguments(*FindCommandText("apply"), args);
    if (auto* complaint = std::get_if<std::string>(&parsed)) return std::move(*complaint);
    const ParsedArguments& a = std::get<ParsedArguments>(parsed);
    ApplyOptions o;
    o.board = a.operands[0];
    if (a.has("--size"))
        if (std::string complaint = ParseBoardSize(a.value("--size"), o.width, o.height);
            !complaint.empty())
            return complaint;
    if (a.has("--monitor")) o.monitor = a.value("--monitor");
    if (!o.monitor.empty() && o.width != 0) return "--monitor and --size do not go together";
    return o;
}

int RunApplyCommand(const std::vector<std::string>& args, char* programName) {
    const auto parsed = ParseApplyArguments(args);
    if (const auto* complaint = std::get_if<std::string>(&parsed))
        return Fail(kExitBadArguments, *complaint + " (see dorvane apply --help)");
    const ApplyOptions& o = std::get<ApplyOptions>(parsed);
    try {
        CheckBoardFile(o.board);  // before anything is written or set
    } catch (const BoardFileError& e) {
        return Fail(kExitBadArguments, e.what());
    }
    // Measuring the screen needs the window system; composing alone does not.
    if (o.width == 0)
        if (const std::string missing = platform::MissingDisplay(); !missing.empty())
            return Fail(kExitFailed, "no display to measure the screen on: " + missing +
                                         " (or give --size WIDTHxHEIGHT)");
    const auto app = MakeCommandApplication(programName, o.width != 0);
    RenderOptions render;
    render.board = o.board;
    render.width = o.width;
    render.height = o.height;
    // Without a size, every monitor gets the board composed at its own size.
    if (o.width == 0) return ApplyToMonitors(render, o.monitor);
    return Apply(render);
}

}  // namespace dorvane::app
