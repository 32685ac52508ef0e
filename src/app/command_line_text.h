// SPDX-License-Identifier: GPL-3.0-or-later
// Everything the program says about its command line, in one set of tables: the
// commands with their operands and options, the program's own options, the exit
// statuses, the environment variables and the files. `dorvane --help`, each
// command's --help, the argument parser and the manual page are all drawn from
// them, so none can drift from the others. A new option is one more row in its
// command's table; a new command is one more row in kCommands (command_line_text.cpp)
// and its function in command_line.cpp.
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace dorvane::app {

// The texts are plain sentences without markup; the help and the manual page
// format them.
struct OptionText {
    std::string_view name;       // "--size"
    std::string_view shortName;  // "-o", or empty
    std::string_view value;      // "WIDTHxHEIGHT"; empty for a switch
    std::string_view help;
    bool required = false;
};

struct OperandText {
    std::string_view name;  // "BOARD.gls"
    std::string_view noun;  // "board file", for "no board file given"
};

struct CommandText {
    std::string_view name;
    std::span<const OperandText> operands;  // each required, in this order
    std::span<const OptionText> options;
    std::string_view help;
};

// A term and what it means: an exit status, a variable, a file.
struct TermText {
    std::string_view term;
    std::string_view help;
};

std::span<const CommandText> CommandTexts();
const CommandText* FindCommandText(std::string_view name);
std::span<const std::string_view> MonitorParagraphs();  // how monitors are handled
std::span<const OptionText> ProgramOptions();           // --help, --version
std::span<const TermText> ExitStatuses();
std::span<const TermText> EnvironmentVariables();
std::span<const TermText> DataFiles();

std::string_view ProgramVersion();  // "0.1"

// "dorvane render BOARD.gls --size WIDTHxHEIGHT [--dpi N] ..."
// Wrapped within 80 columns when it starts at column `indent`; on one line without.
std::string Synopsis(const CommandText& command, std::size_t indent = std::string::npos);

// The text of `dorvane --help`, wrapped at 80 columns. `dataFolderLine` says
// where this process keeps its data.
std::string ProgramHelp(std::string_view dataFolderLine);

// The text of `dorvane COMMAND --help`.
std::string CommandHelp(const CommandText& command);

// The short usage printed on stderr with a complaint about the arguments.
std::string ShortUsage();

// The arguments after a command's name, read against its table. Options come as
// "--size VALUE", "--size=VALUE" or "-o VALUE", in any order among the operands;
// "--" ends the options.
struct ParsedArguments {
    std::vector<std::string> operands;
    std::map<std::string_view, std::string> values;  // by long name; "" for a switch

    bool has(std::string_view option) const { return values.contains(option); }
    const std::string& value(std::string_view option) const { return values.at(option); }
};

// The string alternative is a one-line complaint: an unknown option, an option
// given twice or without its value, a required one missing, an operand missing
// or one too many.
std::variant<ParsedArguments, std::string> ParseArguments(const CommandText& command,
                                                          const std::vector<std::string>& args);

// Wraps a paragraph (words between blanks or line ends) into lines of at most
// `width` columns (a longer word stands alone), each starting with `indent` spaces.
std::string Wrap(std::string_view text, std::size_t indent, std::size_t width = 80);

}  // namespace dorvane::app
