// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of the executable: "dorvane render …", "dorvane --help". The
// texts, options and exit statuses are in command_line_text.h; this file maps
// each command's name to the function that runs it.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dorvane::app {

// The exit statuses of every command (the table in command_line_text.cpp says them).
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitBadArguments = 2;

struct CommandLineCommand {
    std::string_view name;  // as in CommandTexts()
    // Runs with the arguments after the command's name; returns the exit status.
    int (*run)(const std::vector<std::string>& args, char* programName);
};

std::span<const CommandLineCommand> CommandLineCommands();

// The text that "dorvane --help" prints, with the data folder of this process.
std::string CommandLineHelp();

// Runs what argv asks for: a command, --help or --version; complains with the
// usage on stderr (status 2) about anything else. Nothing when argv holds no
// argument: the program then opens its window.
std::optional<int> RunCommandLine(int argc, char** argv);

}  // namespace dorvane::app
