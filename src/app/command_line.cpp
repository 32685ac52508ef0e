// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include <algorithm>
#include <exception>
#include <iostream>

#include "app/apply_command.h"
#include "app/command_line_text.h"
#include "app/monitors_command.h"
#include "app/readable_command.h"
#include "app/render_command.h"
#include "platform/data_folder.h"

namespace dorvane::app {
namespace {

constexpr CommandLineCommand kCommands[] = {
    {"render", RunRenderCommand},
    {"apply", RunApplyCommand},
    {"readable", RunReadableCommand},
    {"monitors", RunMonitorsCommand},
};

bool IsHelp(std::string_view arg) {
    return arg == "--help" || arg == "-h";
}

// "--help" among a command's options (not after "--") asks for its help.
bool AsksForHelp(const std::vector<std::string>& args) {
    const auto end = std::find(args.begin(), args.end(), "--");
    return std::any_of(args.begin(), end, [](const std::string& a) { return IsHelp(a); });
}

int Complain(const std::string& complaint) {
    std::cerr << "dorvane: " << complaint << "\n" << ShortUsage();
    return kExitBadArguments;
}

}  // namespace

std::span<const CommandLineCommand> CommandLineCommands() {
    return kCommands;
}

std::string CommandLineHelp() {
    std::string where;
    try {
        where = platform::DataFolderHelp(platform::DataFolder());
    } catch (const std::exception& e) {
        where = std::string("No data folder: ") + e.what();
    }
    return ProgramHelp(where);
}

std::optional<int> RunCommandLine(int argc, char** argv) {
    if (argc < 2) return std::nullopt;
    const std::string_view first = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (IsHelp(first) || first == "--version") {
        if (!args.empty()) return Complain("unexpected argument " + args[0]);
        std::cout << (IsHelp(first) ? CommandLineHelp()
                                    : "dorvane " + std::string(ProgramVersion()) + "\n");
        return kExitDone;
    }
    for (const CommandLineCommand& c : kCommands) {
        if (first != c.name) continue;
        if (AsksForHelp(args)) {
            std::cout << CommandHelp(*FindCommandText(c.name));
            return kExitDone;
        }
        return c.run(args, argv[0]);
    }
    return Complain((first.starts_with('-') ? "unknown option " : "unknown command ") +
                    std::string(first));
}

}  // namespace dorvane::app
