// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/readable_command.h"

#include <charconv>
#include <fstream>
#include <iostream>

#include "app/render_command.h"
#include "base/error.h"
#include "boards/profile.h"
#include "boards/project_file.h"
#include "compose/goal_text.h"
#include "compose/make_readable.h"
#include "compose/saved_preview.h"
#include "platform/atomic_file.h"

namespace dorvane::app {
namespace {

namespace fs = std::filesystem;

int Fail(int status, const std::string& why) {
    std::cerr << "dorvane readable: " << why << "\n";
    return status;
}

// The board file with only the colour, the shading and the stored preview
// replaced: every other key keeps its text as the file had it.
std::string FixedBoardBytes(const fs::path& board, const compose::ReadableFix& fix,
                            const std::string& preview) {
    boards::ProfileDocument doc = boards::ProfileDocument::Load(board);
    doc.set("Goal", "FontColor", std::to_string(fix.FontColor));
    doc.set("Goal", "FontShading", std::to_string(fix.FontShading));
    std::size_t pieces = 0;
    for (std::size_t at = 0; at < preview.size(); at += boards::kPreviewPieceLength)
        doc.set("Preview", "Data" + std::to_string(++pieces),
                preview.substr(at, boards::kPreviewPieceLength));
    doc.set("Preview", "DataNum", std::to_string(pieces));
    return doc.serialize();
}

// Whether the fix changed the look, so that the file needs rewriting.
bool Changed(compose::ReadableOutcome outcome) {
    return outcome == compose::ReadableOutcome::Changed ||
           outcome == compose::ReadableOutcome::BestEffort;
}

int Run(const ReadableOptions& o) {
    RenderOptions render;
    render.board = o.board;
    render.width = o.width;
    render.height = o.height;
    render.dpi = o.dpi;
    render.gallery = o.gallery;
    BoardLayers layers;
    std::vector<std::string> warnings;
    try {
        layers = RenderBoardLayers(render, &warnings);
    } catch (const std::exception& e) {
        return Fail(1, e.what());
    }
    for (const std::string& w : warnings) std::cerr << "dorvane readable: warning: " << w << "\n";
    const compose::ReadableFix fix = compose::MakeReadable(layers.board, layers.screen, o.dpi);
    std::cout << "before: " << compose::DescribeReadability(fix.before) << "\n"
              << "after:  " << compose::DescribeReadability(fix.after) << "\n"
              << "change: " << compose::DescribeFix(fix, layers.board) << "\n";
    try {
        std::string bytes;
        if (Changed(fix.outcome)) {
            compose::GoalBoard fixed = layers.board;
            fixed.FontColor = fix.FontColor;
            fixed.FontShading = fix.FontShading;
            compose::RenderTextLayer(layers.layer, fixed, o.dpi, o.width);
            bytes = FixedBoardBytes(o.board, fix,
                                    compose::MakePreviewText(layers.screen, layers.layer));
        } else {
            std::ifstream in(o.board, std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), {});
        }
        platform::WriteFileAtomically(
            o.output, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    } catch (const std::exception& e) {
        return Fail(1, e.what());
    }
    std::cout << "wrote " << o.output.string() << (Changed(fix.outcome) ? "" : " unchanged")
              << "\n";
    return 0;
}

}  // namespace

std::string ReadableUsage() {
    return "Usage: dorvane readable BOARD.gls -o OUT.gls [--size WIDTHxHEIGHT] [--dpi N] "
           "[--gallery DIR]\n"
           "\n"
           "Writes the board to OUT.gls with the least visible change of text colour and\n"
           "shading that makes its goals easy to read on its picture (a contrast of 4.5:1\n"
           "or more with what surrounds the letters), composed for a screen of WIDTH x\n"
           "HEIGHT pixels (default 1920x1080) at N pixels per inch (default 96). Goals,\n"
           "font, size, style, alignment and text box stay as they are. Prints the\n"
           "contrast before and after and what changed.\n";
}

std::variant<ReadableOptions, std::string> ParseReadableArguments(
    const std::vector<std::string>& args) {
    ReadableOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--size" || a == "--dpi" || a == "--gallery" || a == "-o" || a == "--output") {
            if (i + 1 == args.size()) return "missing value after " + a;
            const std::string& v = args[++i];
            if (a == "--size") {
                if (std::string complaint = ParseBoardSize(v, o.width, o.height);
                    !complaint.empty())
                    return complaint;
            } else if (a == "--dpi") {
                const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), o.dpi);
                if (ec != std::errc() || end != v.data() + v.size() || o.dpi < 24 || o.dpi > 1200)
                    return "bad dpi \"" + v + "\": expected a whole number from 24 to 1200";
            } else if (a == "--gallery") {
                o.gallery = v;
            } else {
                o.output = v;
            }
        } else if (!a.empty() && a[0] == '-') {
            return "unknown option " + a;
        } else if (o.board.empty()) {
            o.board = a;
        } else {
            return "unexpected argument " + a;
        }
    }
    if (o.board.empty()) return "no board file given";
    if (o.output.empty()) return "no output file given (-o OUT.gls)";
    return o;
}

int RunReadableCommand(const std::vector<std::string>& args, char* programName) {
    const auto parsed = ParseReadableArguments(args);
    if (const auto* complaint = std::get_if<std::string>(&parsed))
        return Fail(2, *complaint + " (see dorvane --help)");
    const ReadableOptions& o = std::get<ReadableOptions>(parsed);
    std::error_code ec;
    if (!fs::is_regular_file(o.board, ec) || !std::ifstream(o.board, std::ios::binary))
        return Fail(2, "cannot read the board " + o.board.string());
    if (!boards::ProfileDocument::Load(o.board).hasSection("Goal"))
        return Fail(2, o.board.string() + " is not a goal board: it has no [Goal] section");
    if (fs::equivalent(o.board, o.output, ec))
        return Fail(2, "the output " + o.output.string() + " is the board itself");
    try {
        platform::ResolveWriteTarget(o.output);  // refuses folders, devices and FIFOs
    } catch (const std::exception& e) {
        return Fail(2, e.what());
    }
    const auto app = MakeCommandApplication(programName, true);
    return Run(o);
}

}  // namespace dorvane::app
