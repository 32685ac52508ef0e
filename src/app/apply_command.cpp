// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/apply_command.h"

#include <xcb/xcb.h>

#include <fstream>
#include <iostream>

#include "app/monitors_command.h"
#include "app/render_command.h"
#include "compose/bmp_writer.h"
#include "compose/set_wallpaper.h"
#include "platform/data_folder.h"
#include "platform/desktop_wallpaper.h"
#include "platform/error.h"
#include "platform/screen.h"

namespace dorvane::app {
namespace {

namespace fs = std::filesystem;

// Whether Qt can open a window system here; without one it would abort the process.
bool DisplayReachable() {
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) return true;
    if (qEnvironmentVariableIsEmpty("DISPLAY")) return false;
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const bool ok = xcb_connection_has_error(c) == 0;
    xcb_disconnect(c);
    return ok;
}

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

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
    } catch (const std::exception& e) {
        return Fail(1, e.what());
    }
    const fs::path path = fs::absolute(platform::DataFolder() / compose::kWallpaperFileName);
    try {
        fs::create_directories(path.parent_path());
        compose::WriteComposedBmpFile(path, board.screen, board.layer);
    } catch (const std::exception& e) {
        return Fail(1, e.what());
    }
    const wallpaper::Outcome outcome =
        wallpaper::SetDesktopWallpaper(QString::fromStdString(path.string()));
    if (!outcome.ok)
        return Fail(1, outcome.detail.toStdString() + " The picture is " + path.string());
    std::cout << compose::kWallpaperDone << "\n";
    return 0;
}

}  // namespace

std::string ApplyUsage() {
    return "Usage: dorvane apply BOARD.gls [--size WIDTHxHEIGHT | --monitor NAME]\n"
           "\n"
           "Composes a saved goal board for each monitor at its own size (for the monitor\n"
           "NAME alone, or once for WIDTH x HEIGHT pixels), writes it into the program's\n"
           "data folder (Dorvane_wallpaper.bmp, or one Dorvane_wallpaper_NAME.bmp per\n"
           "monitor) and makes it the desktop background. Exits with 0 only when the\n"
           "desktop confirmed it; otherwise says why on one line and exits with 1 (2 for\n"
           "bad arguments or a board that cannot be read).\n";
}

std::variant<ApplyOptions, std::string> ParseApplyArguments(const std::vector<std::string>& args) {
    ApplyOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--size") {
            if (i + 1 == args.size()) return "missing value after --size";
            const std::string& v = args[++i];
            if (std::string complaint = ParseBoardSize(v, o.width, o.height); !complaint.empty())
                return complaint;
        } else if (a == "--monitor") {
            if (i + 1 == args.size()) return "missing value after --monitor";
            o.monitor = args[++i];
        } else if (!a.empty() && a[0] == '-') {
            return "unknown option " + a;
        } else if (o.board.empty()) {
            o.board = a;
        } else {
            return "unexpected argument " + a;
        }
    }
    if (o.board.empty()) return "no board file given";
    if (!o.monitor.empty() && o.width != 0) return "--monitor and --size do not go together";
    return o;
}

int RunApplyCommand(const std::vector<std::string>& args, char* programName) {
    const auto parsed = ParseApplyArguments(args);
    if (const auto* complaint = std::get_if<std::string>(&parsed))
        return Fail(2, *complaint + " (see dorvane --help)");
    const ApplyOptions& o = std::get<ApplyOptions>(parsed);
    std::error_code ec;
    if (!fs::is_regular_file(o.board, ec) || !std::ifstream(o.board, std::ios::binary))
        return Fail(2, "cannot read the board " + o.board.string());
    // Measuring the screen needs the window system; composing alone does not.
    if (o.width == 0 && !DisplayReachable())
        return Fail(1, "no display to measure the screen on (give --size WIDTHxHEIGHT)");
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
