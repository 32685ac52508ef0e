// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/manual_page.h"

#include <algorithm>
#include <functional>
#include <span>
#include <stdexcept>

#include "app/command_line_text.h"

namespace dorvane::app {
namespace {

std::string Bold(std::string_view text) {
    return "\\fB" + TroffText(text) + "\\fR";
}

std::string Italic(std::string_view text) {
    return "\\fI" + TroffText(text) + "\\fR";
}

std::string OptionTerm(const OptionText& o) {
    std::string term;
    if (!o.shortName.empty()) term = Bold(o.shortName) + ", ";
    term += Bold(o.name);
    if (!o.value.empty()) term += " " + Italic(o.value);
    return term;
}

std::string Item(const std::string& term, std::string_view help) {
    return ".TP\n" + term + "\n" + TroffText(help) + "\n";
}

std::string SynopsisLines() {
    std::string text = ".B dorvane\n.br\n";
    for (const OptionText& o : ProgramOptions())
        text += ".B dorvane " + TroffText(o.name) + "\n.br\n";
    for (const CommandText& c : CommandTexts()) {
        text += ".B dorvane " + TroffText(c.name) + "\n";
        if (c.operands.empty() && c.options.empty()) {
            text += ".br\n";
            continue;
        }
        std::string line;
        for (const OperandText& operand : c.operands) line += " " + Italic(operand.name);
        for (const OptionText& o : c.options) {
            std::string option = Bold(o.shortName.empty() ? o.name : o.shortName);
            if (!o.value.empty()) option += " " + Italic(o.value);
            line += o.required ? " " + option : " [" + option + "]";
        }
        text += line.substr(1) + "\n.br\n";
    }
    return text;
}

std::string CommandItems() {
    std::string text;
    for (const CommandText& c : CommandTexts()) {
        text += Item(Bold(c.name), c.help);
        if (c.options.empty()) continue;
        text += ".RS\n";
        for (const OptionText& o : c.options)
            text += Item(OptionTerm(o), std::string(o.help) + (o.required ? " Required." : ""));
        text += ".RE\n";
    }
    return text;
}

std::string TermItems(std::span<const TermText> terms, std::string (*face)(std::string_view)) {
    std::string text;
    for (const TermText& t : terms) text += Item(face(t.term), t.help);
    return text;
}

struct Marker {
    std::string_view line;
    std::function<std::string()> make;
};

}  // namespace

std::string TroffText(std::string_view text) {
    std::string out;
    if (text.starts_with('.') || text.starts_with('\'')) out = "\\&";
    for (const char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    return out;
}

std::string ManualPage(std::string_view templateText) {
    const Marker markers[] = {
        {"@SYNOPSIS@", SynopsisLines},
        {"@COMMANDS@", CommandItems},
        {"@OPTIONS@",
         [] {
             std::string text;
             for (const OptionText& o : ProgramOptions()) text += Item(OptionTerm(o), o.help);
             return text;
         }},
        {"@MONITORS@",
         [] {
             std::string text;
             for (const std::string_view p : MonitorParagraphs())
                 text += (text.empty() ? "" : ".PP\n") + TroffText(p) + "\n";
             return text;
         }},
        {"@EXIT_STATUS@", [] { return TermItems(ExitStatuses(), Bold); }},
        {"@ENVIRONMENT@", [] { return TermItems(EnvironmentVariables(), Bold); }},
        {"@FILES@", [] { return TermItems(DataFiles(), Italic); }},
    };
    std::string page;
    int used[std::size(markers)] = {};
    std::size_t start = 0;
    while (start < templateText.size()) {
        const std::size_t end = std::min(templateText.find('\n', start), templateText.size());
        std::string line(templateText.substr(start, end - start));
        start = end + 1;
        const auto marker = std::find_if(std::begin(markers), std::end(markers),
                                         [&](const Marker& m) { return m.line == line; });
        if (marker != std::end(markers)) {
            ++used[marker - std::begin(markers)];
            page += marker->make();
            continue;
        }
        for (std::size_t at; (at = line.find("@VERSION@")) != std::string::npos;)
            line.replace(at, 9, ProgramVersion());
        page += line + "\n";
    }
    for (std::size_t i = 0; i < std::size(markers); ++i)
        if (used[i] != 1)
            throw std::invalid_argument("the manual page's template must hold the line " +
                                        std::string(markers[i].line) + " once");
    return page;
}

}  // namespace dorvane::app
