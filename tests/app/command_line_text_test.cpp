// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "app/manual_page.h"

namespace dorvane::app {
namespace {

using Args = std::vector<std::string>;

constexpr OperandText kOperands[] = {{"IN", "input file"}};
constexpr OptionText kOptions[] = {
    {"--size", "", "N", "a size", true},
    {"--output", "-o", "FILE", "where"},
    {"--quiet", "", "", "a switch"},
};
constexpr CommandText kCommand{"try", kOperands, kOptions, "tries"};

TEST(ParseArguments, ReadsEveryFormAndRefusesWithOneLine) {
    struct Row {
        Args args;
        std::string complaint;  // empty: accepted
        std::string operand = "", size = "", output = "";
        bool quiet = false;
    };
    const Row rows[] = {
        {{"a", "--size", "3"}, "", "a", "3"},
        {{"--size=3", "-o", "x", "a", "--quiet"}, "", "a", "3", "x", true},
        {{"--size", "--quiet", "a"}, "", "a", "--quiet"},  // a value may look like an option
        {{"--size=", "--output=", "--", "-a"}, "", "-a", "", ""},
        {{"-", "--size", "1"}, "", "-", "1"},  // "-" is an operand
        {{"a"}, "no --size given"},
        {{"--size", "3"}, "no input file given"},
        {{"a", "b", "--size", "3"}, "unexpected argument b"},
        {{"a", "--size", "3", "--size", "4"}, "option given twice: --size"},
        {{"a", "--size", "3", "-o", "x", "--output=y"}, "option given twice: --output"},
        {{"a", "--size", "3", "--quiet", "--quiet"}, "option given twice: --quiet"},
        {{"a", "--size", "3", "--quiet=yes"}, "no value expected after --quiet"},
        {{"a", "--size"}, "missing value after --size"},
        {{"a", "--size", "3", "--colour", "red"}, "unknown option --colour"},
        {{"a", "--size", "3", "-q"}, "unknown option -q"},
        {{"a", "--size", "3", "--sizes=4"}, "unknown option --sizes"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::PrintToString(r.args));
        const auto parsed = ParseArguments(kCommand, r.args);
        if (!r.complaint.empty()) {
            ASSERT_TRUE(std::holds_alternative<std::string>(parsed));
            EXPECT_EQ(std::get<std::string>(parsed), r.complaint);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<ParsedArguments>(parsed))
            << std::get<std::string>(parsed);
        const ParsedArguments& a = std::get<ParsedArguments>(parsed);
        EXPECT_EQ(a.operands, Args{r.operand});
        EXPECT_EQ(a.value("--size"), r.size);
        EXPECT_EQ(a.has("--output") ? a.value("--output") : "", r.output);
        EXPECT_EQ(a.has("--quiet"), r.quiet);
    }
}

std::string ManualPageTemplate() {
    std::ifstream in(std::string(DORVANE_SOURCE_DIR) + "/doc/dorvane.1.in", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The help and the manual page come from one table; each names every command,
// option, exit status, variable and file in it, and the help fits 80 columns.
TEST(CommandLineText, HelpAndManualPageNameEveryRow) {
    const std::string help = ProgramHelp("kept in /data/");
    const std::string page = ManualPage(ManualPageTemplate());
    std::vector<std::string> terms;
    for (const CommandText& c : CommandTexts()) {
        terms.emplace_back(c.name);
        EXPECT_NE(help.find(Synopsis(c, 2)), std::string::npos) << c.name;
        for (const OptionText& o : c.options) {
            terms.emplace_back(o.name);
            if (!o.shortName.empty()) terms.emplace_back(o.shortName);
        }
    }
    for (const OptionText& o : ProgramOptions()) terms.emplace_back(o.name);
    for (const auto table : {ExitStatuses(), EnvironmentVariables(), DataFiles()})
        for (const TermText& t : table) terms.emplace_back(t.term);
    for (const char* section : {"COMMANDS", "OPTIONS", "EXIT STATUS", "ENVIRONMENT", "FILES"})
        EXPECT_NE(page.find(std::string("\n.SH ") + section + "\n"), std::string::npos) << section;
    for (const std::string& term : terms) {
        EXPECT_NE(help.find(term), std::string::npos) << term;
        EXPECT_NE(page.find(TroffText(term)), std::string::npos) << term;
    }
    for (const char* variable :
         {"DORVANE_DNS_SERVER", "DORVANE_SITE", "XDG_DATA_HOME", "QT_QPA_PLATFORM"})
        EXPECT_NE(page.find(std::string(".TP\n\\fB") + variable), std::string::npos) << variable;
    EXPECT_NE(help.find("kept in /data/"), std::string::npos);
    EXPECT_EQ(page.find("\n@"), std::string::npos);  // every marker filled in
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80u) << line;
}

TEST(ManualPage, RefusesATemplateThatLosesOrRepeatsASection) {
    const std::string full = ManualPageTemplate();
    std::string lost = full, twice = full;
    lost.erase(lost.find("@ENVIRONMENT@\n"), 14);
    twice += "@FILES@\n";
    EXPECT_THROW(ManualPage(lost), std::invalid_argument);
    EXPECT_THROW(ManualPage(twice), std::invalid_argument);
}

TEST(TroffText, EscapesWhatTroffWouldRead) {
    EXPECT_EQ(TroffText("--size a\\b"), "\\-\\-size a\\eb");
    EXPECT_EQ(TroffText(".hidden"), "\\&.hidden");
    EXPECT_EQ(TroffText("'quoted'"), "\\&'quoted'");
}

TEST(Wrap, FillsLinesToTheWidthAndKeepsLongWordsWhole) {
    EXPECT_EQ(Wrap("aa bb cc dd", 2, 8), "  aa bb\n  cc dd\n");
    EXPECT_EQ(Wrap("a\nverylongword b", 0, 6), "a\nverylongword\nb\n");
    EXPECT_EQ(Wrap("", 4), "    \n");
}

}  // namespace
}  // namespace dorvane::app
