// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include <iostream>

#include "app/apply_command.h"
#include "app/monitors_command.h"
#include "app/render_command.h"
#include "platform/data_folder.h"

namespace dorvane::app {
namespace {

constexpr CommandLineCommand kCommands[] = {
    {"render", RenderUsage, RunRenderCommand},
    {"apply", ApplyUsage, RunApplyCommand},
    {"monitors", MonitorsUsage, RunMonitorsCommand},
};

bool IsHelp(std::string_view arg) {
    return arg == "--help" || arg == "-h";
}

}  // namespace

std::span<const CommandLineCommand> CommandLineCommands() {
    return kCommands;
}

std::string CommandLineHelp() {
    std::string text;
    for (const CommandLineCommand& c : kCommands) text += c.usage() + "\n";
    return text + "With no arguments the program opens its window.\n\n" +
           platform::DataFolderHelp(platform::DataFolder());
}

std::optional<int> RunCommandLine(int argc, char** argv) {
    if (argc < 2) return std::nullopt;
    const std::string_view first = argv[1];
    if (IsHelp(first)) {
        std::cout << CommandLineHelp();
        return 0;
    }
    for (const CommandLineCommand& c : kCommands) {
        if (first != c.name) continue;
        const std::vector<std::string> args(argv + 2, argv + argc);
        if (args.size() == 1 && IsHelp(args[0])) {
            std::cout << c.usage();
            return 0;
        }
        return c.run(args, argv[0]);
    }
    return std::nullopt;
}

}  // namespace dorvane::app
