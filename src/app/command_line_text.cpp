// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line_text.h"

#include <algorithm>

namespace dorvane::app {
namespace {

constexpr OperandText kBoard[] = {{"BOARD.gls", "board file"}};

constexpr OptionText kRenderOptions[] = {
    {"--size", "", "WIDTHxHEIGHT",
     "the screen's size in pixels, each side from 1 to 8192 (an 8K screen is 7680x4320).", true},
    {"--dpi", "", "N",
     "the screen's pixels per inch, from 24 to 1200, which sets the size of the text "
     "(default 96)."},
    {"--gallery", "", "DIR",
     "the folder of added pictures that the board's picture may come from (default: "
     "MyGallery/ in the data folder)."},
    {"--output", "-o", "FILE",
     "the picture to write: a 24-bit BMP or a PNG file, chosen by its extension (.bmp or "
     ".png). It is written whole or not at all, and never over the board, a folder or a "
     "special file.",
     true},
    {"--report", "", "",
     "prints how readable the goal text is: its contrast with what surrounds it, as "
     "\"readability: 7.32:1, easy to read\" (4.5:1 or more is easy to read)."},
};

constexpr OptionText kReadableOptions[] = {
    {"--output", "-o", "FILE",
     "the board to write, with the fix applied; never the board itself, a folder or a "
     "special file.",
     true},
    {"--size", "", "WIDTHxHEIGHT",
     "the screen's size in pixels the board is judged on (default 1920x1080)."},
    {"--dpi", "", "N", "the screen's pixels per inch, from 24 to 1200 (default 96)."},
    {"--gallery", "", "DIR",
     "the folder of added pictures that the board's picture may come from (default: "
     "MyGallery/ in the data folder)."},
};

constexpr OptionText kApplyOptions[] = {
    {"--size", "", "WIDTHxHEIGHT",
     "composes one picture of this size (each side from 1 to 8192) instead of one for each "
     "monitor; then no display is needed to measure the screen."},
    {"--monitor", "", "NAME",
     "sets the monitor NAME alone (as dorvane monitors names it); the others keep their "
     "wallpaper. Not together with --size."},
};

constexpr CommandText kCommands[] = {
    {"render", kBoard, kRenderOptions,
     "Composes the saved goal board BOARD.gls exactly as its wallpaper would look on a "
     "screen of WIDTH x HEIGHT pixels and writes it to a picture file. It needs no display. "
     "The picture comes from the built-in gallery or from the gallery folder."},
    {"apply", kBoard, kApplyOptions,
     "Composes the saved goal board BOARD.gls for each monitor at its own size (see "
     "MONITORS), writes the pictures into the data folder, as the window's \"Set as "
     "wallpaper\" does, and makes them the desktop background. It succeeds only when the "
     "desktop confirms the change; otherwise it says on one line what failed and where the "
     "picture is. It knows GNOME, Budgie, Cinnamon, MATE, KDE Plasma, Xfce, LXQt, LXDE, sway "
     "and plain X11 window managers."},
    {"readable", kBoard, kReadableOptions,
     "Makes the goals of BOARD.gls easy to read on its picture with the least visible "
     "change: only the text colour and the shading may change (an outline or a band behind "
     "the text where needed), until the text's contrast with what surrounds it is at least "
     "4.5:1. Writes the board to FILE and prints the contrast before and after."},
    {"monitors",
     {},
     {},
     "Lists the monitors, one a line, with fields separated by a tab: the name, the size in "
     "device pixels (WIDTHxHEIGHT), the position in the desktop's layout (+X+Y) and "
     "\"primary\" or \"secondary\". The format stays the same from version to version, for "
     "scripts."},
};

constexpr std::string_view kMonitorParagraphs[] = {
    "A saved board remembers the size of the screen it was styled on (ScreenWidth and "
    "ScreenHeight; without them it counts as styled on the primary monitor). On a screen of "
    "another size the box's width and the letters scale by the smaller of the width and "
    "height ratios, so letters are never squeezed: on a portrait or an ultra-wide screen "
    "the text keeps its shape and the box keeps its share of the free space on each side, so "
    "a box in a corner stays there. The box is kept wholly on the picture, with smaller "
    "letters if need be, so every goal shows. At the styled size nothing changes. render "
    "--size and apply --size follow the same rule.",
    "Plain X11, Xfce, KDE Plasma and sway show each monitor its own picture, "
    "Dorvane_wallpaper_NAME.bmp in the data folder. GNOME, Budgie, Cinnamon, MATE, LXQt and "
    "LXDE take one picture spanning all monitors, each monitor's part composed for it. The "
    "window's page 4 shows the board as it looks on the monitor the window is on.",
};

constexpr OptionText kProgramOptions[] = {
    {"--help", "-h", "",
     "prints this help: the commands, their options and where the program keeps your data. "
     "After a command's name, prints that command's help."},
    {"--version", "", "", "prints the program's version."},
};

constexpr TermText kExitStatuses[] = {
    {"0", "done; for apply, the desktop confirmed the new wallpaper."},
    {"1",
     "the command failed: the picture could not be composed or written, the desktop did not "
     "take the wallpaper, no usable display was found, or there is no home folder for the "
     "data."},
    {"2",
     "bad arguments (an unknown command or option, an option given twice or without its "
     "value, a size out of bounds), or a board that is missing, unreadable or no goal board "
     "at all (a folder, a special file, a file without a [Goal] section). Nothing is "
     "written then."},
};

constexpr TermText kEnvironment[] = {
    {"DORVANE_DNS_SERVER",
     "host[:port], an IP address: the DNS server that the online check of the resources page "
     "asks (default 9.9.9.9, port 53). A malformed value is ignored with a warning."},
    {"DORVANE_SITE",
     "https://host[:port]: a web site of your own that serves /resources.htm, shown on the "
     "resources page. A malformed value is ignored with a warning."},
    {"XDG_DATA_HOME",
     "where an installed program keeps its data (see FILES); a relative path is ignored."},
    {"HOME",
     "the home folder, below which the data folder lies by default; when it is unset or "
     "empty, the home folder comes from the password database."},
    {"QT_QPA_PLATFORM",
     "the window system, wayland or xcb. By default a Wayland session gets a native Wayland "
     "window when Qt's Wayland plugin (Debian package qt6-wayland) is installed. render, and "
     "apply with --size, run on Qt's offscreen platform."},
    {"QT_SCALE_FACTOR",
     "scales the window, as for every Qt program; the artwork is drawn at twice the "
     "resolution for screens of a device pixel ratio above 1."},
};

constexpr TermText kFiles[] = {
    {"$XDG_DATA_HOME/dorvane/",
     "the data folder of an installed program (its share/ folder beside its bin/ folder), by "
     "default ~/.local/share/dorvane/. A copy run from its build folder or an unpacked folder "
     "keeps its data beside itself instead, unless that folder is read-only. Without a home "
     "folder the program stops rather than keep your data in a shared place. dorvane --help "
     "prints the folder in use."},
    {"MyGoals/*.gls", "the saved goal boards."},
    {"MyGallery/*.jpg", "the pictures added to the gallery."},
    {"Dorvane_wallpaper.bmp",
     "the wallpaper last set, by the window or by dorvane apply; replaced whole each time. "
     "With several monitors, one Dorvane_wallpaper_NAME.bmp for each (or one spanning "
     "picture), and the files of monitors gone are removed."},
};

std::string OptionHeading(const OptionText& o) {
    std::string text;
    if (!o.shortName.empty()) text.append(o.shortName).append(", ");
    text.append(o.name);
    if (!o.value.empty()) text.append(" ").append(o.value);
    return text;
}

void AppendTerms(std::string& text, std::span<const TermText> terms, std::size_t column) {
    for (const TermText& t : terms) {
        std::string line = "  " + std::string(t.term);
        if (line.size() + 2 <= column) {
            const std::string body = Wrap(t.help, column);
            line.append(column - line.size(), ' ');
            text += line + body.substr(column);
        } else {
            text += line + "\n" + Wrap(t.help, column);
        }
    }
}

void AppendOptions(std::string& text, std::span<const OptionText> options) {
    for (const OptionText& o : options) {
        text += "    " + OptionHeading(o) + "\n";
        text += Wrap(std::string(o.help) + (o.required ? " Required." : ""), 8);
    }
}

std::string Complaint(std::string_view what, std::string_view name) {
    return std::string(what) + std::string(name);
}

}  // namespace

std::span<const CommandText> CommandTexts() {
    return kCommands;
}

const CommandText* FindCommandText(std::string_view name) {
    for (const CommandText& c : kCommands)
        if (c.name == name) return &c;
    return nullptr;
}

std::span<const std::string_view> MonitorParagraphs() {
    return kMonitorParagraphs;
}

std::span<const OptionText> ProgramOptions() {
    return kProgramOptions;
}

std::span<const TermText> ExitStatuses() {
    return kExitStatuses;
}

std::span<const TermText> EnvironmentVariables() {
    return kEnvironment;
}

std::span<const TermText> DataFiles() {
    return kFiles;
}

// Continued four columns further in when wrapped.
std::string Synopsis(const CommandText& c, std::size_t indent) {
    std::string text = "dorvane " + std::string(c.name);
    std::size_t column = (indent == std::string::npos ? 0 : indent) + text.size();
    const auto add = [&](const std::string& word) {
        if (indent != std::string::npos && column + 1 + word.size() > 80) {
            text += "\n" + std::string(indent + 4, ' ') + word;
            column = indent + 4 + word.size();
        } else {
            text += " " + word;
            column += 1 + word.size();
        }
    };
    for (const OperandText& operand : c.operands) add(std::string(operand.name));
    for (const OptionText& o : c.options) {
        std::string option(o.shortName.empty() ? o.name : o.shortName);
        if (!o.value.empty()) option.append(" ").append(o.value);
        add(o.required ? option : "[" + option + "]");
    }
    return text;
}

std::string ProgramHelp(std::string_view dataFolderLine) {
    std::string text = "Usage: dorvane [COMMAND [ARGUMENTS]]\n\n" +
                       Wrap(
                           "Without a command, dorvane opens its window. The commands need no "
                           "window; render needs no display at all.",
                           0) +
                       "\nCommands:\n";
    for (const CommandText& c : kCommands) {
        text += "\n  " + Synopsis(c, 2) + "\n" + Wrap(c.help, 4);
        AppendOptions(text, c.options);
    }
    text += "\nMonitors:\n";
    for (std::size_t i = 0; i < std::size(kMonitorParagraphs); ++i)
        text += (i ? "\n" : "") + Wrap(kMonitorParagraphs[i], 2);
    text += "\nOptions:\n";
    for (const OptionText& o : kProgramOptions)
        text += "  " + OptionHeading(o) + "\n" + Wrap(o.help, 6);
    text += "\nExit status, of every command:\n";
    AppendTerms(text, kExitStatuses, 5);
    text += "\nEnvironment:\n";
    AppendTerms(text, kEnvironment, 6);
    // Not wrapped: a folder's name may hold blanks.
    text += "\nFiles:\n";
    for (std::size_t start = 0; start < dataFolderLine.size();) {
        const std::size_t end = std::min(dataFolderLine.find('\n', start), dataFolderLine.size());
        text.append("  ").append(dataFolderLine.substr(start, end - start)).append("\n");
        start = end + 1;
    }
    AppendTerms(text, kFiles, 6);
    return text;
}

std::string CommandHelp(const CommandText& c) {
    std::string text = "Usage: " + Synopsis(c, 7) + "\n\n" + Wrap(c.help, 0) + "\nOptions:\n";
    AppendOptions(text, c.options);
    return text + "\nSee dorvane --help for the exit statuses, or man dorvane.\n";
}

std::string ShortUsage() {
    std::string text = "Usage: dorvane [--help | --version]\n";
    for (const CommandText& c : kCommands) text += "       " + Synopsis(c, 7) + "\n";
    return text;
}

std::variant<ParsedArguments, std::string> ParseArguments(const CommandText& c,
                                                          const std::vector<std::string>& args) {
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            parsed.operands.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = a.starts_with("--") ? a.find('=') : std::string::npos;
        const std::string_view name = std::string_view(a).substr(0, equals);
        const auto option = std::find_if(c.options.begin(), c.options.end(), [&](const auto& o) {
            return o.name == name || (!o.shortName.empty() && o.shortName == name);
        });
        if (option == c.options.end()) return Complaint("unknown option ", name);
        if (parsed.has(option->name)) return Complaint("option given twice: ", option->name);
        std::string value;
        if (option->value.empty()) {
            if (equals != std::string::npos) return Complaint("no value expected after ", name);
        } else if (equals != std::string::npos) {
            value = a.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return Complaint("missing value after ", name);
        }
        parsed.values.emplace(option->name, std::move(value));
    }
    for (const OptionText& o : c.options)
        if (o.required && !parsed.has(o.name)) return "no " + std::string(o.name) + " given";
    if (parsed.operands.size() < c.operands.size())
        return "no " + std::string(c.operands[parsed.operands.size()].noun) + " given";
    if (parsed.operands.size() > c.operands.size())
        return Complaint("unexpected argument ", parsed.operands[c.operands.size()]);
    return parsed;
}

std::string Wrap(std::string_view text, std::size_t indent, std::size_t width) {
    std::string out, line;
    const auto flush = [&] {
        out += std::string(indent, ' ') + line + "\n";
        line.clear();
    };
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of(" \n", start), text.size());
        const std::string_view word = text.substr(start, end - start);
        start = end + 1;
        if (word.empty()) continue;
        if (!line.empty() && indent + line.size() + 1 + word.size() > width) flush();
        if (!line.empty()) line += ' ';
        line += word;
    }
    if (!line.empty() || out.empty()) flush();
    return out;
}

}  // namespace dorvane::app
