// SPDX-License-Identifier: GPL-3.0-or-later
// "dorvane readable" as a user runs it: the fixed board written beside the old
// one, the contrast printed before and after, and bad input answered in words.
#include "app/readable_command.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "app/command_line.h"
#include "app/render_command.h"
#include "boards/profile.h"
#include "compose/readability.h"
#include "imaging/jpeg.h"

namespace dorvane::app {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct Outcome {
    int status = -1;
    std::string out, err;
};

Outcome Command(Args args) {
    args.insert(args.begin(), {"dorvane", "readable"});
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    Outcome run;
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    run.status = RunCommandLine(static_cast<int>(args.size()), argv.data()).value_or(-1);
    run.err = ::testing::internal::GetCapturedStderr();
    run.out = ::testing::internal::GetCapturedStdout();
    return run;
}

// A folder with a plain grey gallery picture and a board file of given lines.
struct Folder {
    QTemporaryDir dir;
    fs::path root = dir.path().toStdString();
    fs::path gallery = root / "gallery";
    Folder() {
        fs::create_directory(gallery);
        imaging::Bitmap grey(400, 300);
        grey.fill(0x808080);
        const std::vector<std::uint8_t> jpeg = imaging::EncodeJpeg(grey, 95);
        std::ofstream(gallery / "Grey.jpg", std::ios::binary)
            .write(reinterpret_cast<const char*>(jpeg.data()),
                   static_cast<std::streamsize>(jpeg.size()));
        std::ofstream(gallery / "Broken.jpg") << "not a picture";
    }
    fs::path board(const std::string& name, const std::string& lines) const {
        const fs::path path = root / name;
        // The first of two keys counts: the lines given win over the defaults after them.
        std::ofstream(path, std::ios::binary)
            << "[Goal]\r\n"
            << lines
            << "Version=0.1\r\nFontName=Arial\r\nFontSize=24\r\nTextPosX=100\r\n"
               "TextPosY=100\r\nTextWidth=900\r\n[Preview]\r\nData1=/9j/4AAQ\r\nDataNum=1\r\n";
        return path;
    }
};

TEST(ReadableCommand, FixesABoardOnAPhotographChangingOnlyColourShadingAndPreview) {
    Folder f;
    const fs::path board =
        f.board("canyon.gls",
                "PicName=Grand Canyon 1\r\nGoal1=Run a half marathon\r\nGoal2=Read more\r\n"
                "Goal3=Call home\r\nFontStyle=1\r\nFontColor=16777215\r\nFontShading=1\r\n");
    const fs::path out = f.root / "fixed.gls";
    const Outcome run = Command({board.string(), "-o", out.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("before: "), std::string::npos);
    EXPECT_NE(run.out.find("hard to read\nafter:  "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("easy to read\nchange: "), std::string::npos) << run.out;

    const auto before = boards::ProfileDocument::Load(board);
    const auto after = boards::ProfileDocument::Load(out);
    for (const std::string& key : before.keys("Goal")) {
        if (key == "FontColor" || key == "FontShading") continue;
        EXPECT_EQ(after.get("Goal", key), before.get("Goal", key)) << key;
    }
    EXPECT_EQ(after.keys("Goal"), before.keys("Goal"));
    EXPECT_NE(after.getString("Preview", "Data1", ""), "/9j/4AAQ");  // shows the new look

    // render --report of the written board agrees.
    RenderOptions o;
    o.board = out;
    o.width = 1920;
    o.height = 1080;
    const BoardLayers drawn = RenderBoardLayers(o);
    EXPECT_GE(
        compose::MeasureBoardReadability(drawn.screen, drawn.layer, drawn.board.FontColor).ratio,
        compose::kReadableRatio);
}

TEST(ReadableCommand, BadInputIsAnsweredInWords) {
    Folder f;
    const std::string grey = "PicName=Grey\r\nFontColor=8421504\r\n";  // Gray text on grey
    const struct {
        const char* name;
        std::string lines;
        int status;
        std::string said;
        bool unchanged;
    } cases[] = {
        {"empty", grey + "Goal1=   \r\n", 0, "change: every goal is empty", true},
        {"off", grey + "Goal1=Up there\r\nTextPosY=-5000\r\n", 0,
         "change: no goal text falls on the picture", true},
        {"same colour", grey + "Goal1=Hidden\r\n", 0,
         "before: no goal text can be seen\nafter: ", false},
        {"readable", "PicName=Grey\r\nFontColor=16777215\r\nFontShading=3\r\nGoal1=Clear\r\n", 0,
         "change: already easy to read", true},
        {"broken picture", "PicName=Broken\r\nGoal1=x\r\n", 1, "cannot load the picture", true},
    };
    for (const auto& c : cases) {
        const fs::path board = f.board(std::string(c.name) + ".gls", c.lines);
        const fs::path out = f.root / (std::string(c.name) + "-out.gls");
        const Outcome run = Command({board.string(), "-o", out.string(), "--gallery",
                                     f.gallery.string(), "--size", "640x480"});
        EXPECT_EQ(run.status, c.status) << c.name << run.err;
        EXPECT_NE((run.out + run.err).find(c.said), std::string::npos) << c.name << run.out;
        if (c.status == 0) {
            EXPECT_EQ(ReadText(out) == ReadText(board), c.unchanged) << c.name;
        }
    }
}

TEST(ReadableCommand, RefusesBadArgumentsAndUnsafeOutputsWithStatusTwo) {
    Folder f;
    const fs::path board = f.board("b.gls", "Goal1=x\r\n");
    std::ofstream(f.root / "notes.txt") << "just text";
    const std::string b = board.string();
    const Args bad[] = {
        {},
        {b},
        {b, "-o"},
        {b, "-o", "x.gls", "--size", "1x1"},
        {b, "-o", "x.gls", "--dpi", "7"},
        {b, "-o", "x.gls", "--colour", "red"},
        {b, "c.gls", "-o", "x.gls"},
        {(f.root / "none.gls").string(), "-o", "x.gls"},
        {(f.root / "notes.txt").string(), "-o", "x.gls"},
        {b, "-o", b},
        {b, "-o", f.root.string()},
        {b, "-o", "/dev/null"},
    };
    for (const Args& args : bad) {
        const Outcome run = Command(args);
        EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_EQ(ReadText(board).find("[Goal]"), 0u);  // the board itself untouched
}

}  // namespace
}  // namespace dorvane::app
