// SPDX-License-Identifier: GPL-3.0-or-later
// The headless commands of the executable ("dorvane render …"): one table that
// names each command, its usage text and the function that runs it.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dorvane::app {

struct CommandLineCommand {
    std::string_view name;
    std::string (*usage)();
    // Runs with the arguments after the command's name; returns the exit status.
    int (*run)(const std::vector<std::string>& args, char* programName);
};

std::span<const CommandLineCommand> CommandLineCommands();

// The text that "dorvane --help" prints: every command's usage.
std::string CommandLineHelp();

// Runs the command that argv names, or --help. Nothing when argv names none: the
// program then opens its window.
std::optional<int> RunCommandLine(int argc, char** argv);

}  // namespace dorvane::app
