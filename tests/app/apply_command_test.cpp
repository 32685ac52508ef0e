// SPDX-License-Identifier: GPL-3.0-or-later
// "dorvane apply" as a login script runs it: a copy of the program, a plain X
// server with no desktop, an environment that holds nothing but DISPLAY.
#include "app/apply_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>
#include <QRegularExpression>
#include <filesystem>
#include <fstream>

#include "../platform/temp_folder.h"
#include "../support/xvfb.h"
#include "imaging/bitmap_image.h"

namespace dorvane::app {
namespace {

namespace fs = std::filesystem;

struct Finished {
    int status;
    QString err, out;
};

// The program with an environment that holds nothing but `environment` ("NAME=value").
Finished Dorvane(const fs::path& exe, const QStringList& args,
                 const QStringList& environment = {}) {
    QProcess p;
    QProcessEnvironment env;  // empty
    for (const QString& e : environment) env.insert(e.section('=', 0, 0), e.section('=', 1));
    p.setProcessEnvironment(env);
    p.start(QString::fromStdString(exe.string()), args);
    const bool done = p.waitForFinished(60000);
    return {done && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardError()),
            QString::fromLocal8Bit(p.readAllStandardOutput())};
}

class ApplyCommand : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy_file(DORVANE_EXE, exe_);  // its data folder is beside it
        const fs::path plan = fs::path(DORVANE_SOURCE_DIR) / "tests/boards/data/plan.gls";
        fs::copy_file(plan, boardA_);
        std::ifstream in(plan, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), {});
        text.replace(text.find("Run a marathon"), 14, "Swim the lake!");
        text.replace(text.find("PicName=Sunset"), 14, "PicName=Sunset Tree");
        std::ofstream(boardB_, std::ios::binary) << text;
    }
    QString Path(const fs::path& p) const { return QString::fromStdString(p.string()); }
    imaging::Bitmap Rendered(const fs::path& board, const QString& size) {
        const fs::path out = folder_ / "rendered.bmp";
        EXPECT_EQ(Dorvane(exe_, {"render", Path(board), "--size", size, "-o", Path(out)}).status,
                  0);
        return imaging::FromQImage(QImage(Path(out)));
    }
    TempFolder folder_;
    fs::path exe_ = folder_ / "dorvane";
    fs::path boardA_ = folder_ / "a.gls", boardB_ = folder_ / "b.gls";
};

TEST_F(ApplyCommand, RootShowsTheRenderedBoard_AgainWithNewContentAtTheSamePath) {
    XvfbServer server(QStringLiteral("640x480x24"));
    for (const fs::path& board : {boardA_, boardB_}) {
        const Finished run = Dorvane(exe_, {"apply", Path(board)}, {"DISPLAY=" + server.display()});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(ReadRootPixels(server.display()), Rendered(board, "640x480"));
    }
    EXPECT_TRUE(fs::exists(folder_ / "Dorvane_wallpaper.bmp"));
    // A size of one's own, stretched onto the screen by the desktop.
    ASSERT_EQ(Dorvane(exe_, {"apply", Path(boardA_), "--size", "320x240"},
                      {"DISPLAY=" + server.display()})
                  .status,
              0);
    EXPECT_EQ(QImage(Path(folder_ / "Dorvane_wallpaper.bmp")).size(), QSize(320, 240));
}

TEST_F(ApplyCommand, SaysWhyOnOneLine_WithTheStatusThatFits) {
    const QString board = Path(boardA_);
    struct Case {
        QStringList args;
        int status;
        const char* says;
    } cases[] = {
        {{"apply"}, 2, "no board file given"},
        {{"apply", board, "--size", "0x10"}, 2, "bad size"},
        {{"apply", board, "--size", "1x1"}, 2, "too low or too narrow"},
        {{"apply", board, "--dpi", "96"}, 2, "unknown option --dpi"},
        {{"apply", Path(folder_ / "none.gls")}, 2, "there is no board"},
        {{"apply", board}, 1, "no display"},
        {{"apply", board, "--size", "64x48"}, 1, "No supported desktop was found"},
    };
    for (const Case& c : cases) {
        const Finished run = Dorvane(exe_, c.args);
        EXPECT_EQ(run.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("dorvane apply: ")) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.says)) << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    }
    // The file is written even so, and the message says where it is.
    EXPECT_TRUE(Dorvane(exe_, {"apply", board, "--size", "64x48"})
                    .err.contains(Path(folder_ / "Dorvane_wallpaper.bmp")));
}

// One table of exit statuses for both commands, over the real program: 2 and one
// line for bad arguments and for a board that is missing or none at all, and then
// no output file, no wallpaper file and no window; 1 when no display can be used.
TEST_F(ApplyCommand, OneTableOfExitStatuses_NothingWrittenForABoardThatIsNone) {
    const fs::path wallpaper = folder_ / "Dorvane_wallpaper.bmp";
    std::ofstream(wallpaper) << "the wallpaper before";
    std::ofstream(folder_ / "random.gls", std::ios::binary) << std::string("\x89\xff\0[G\x01", 6);
    std::ofstream(folder_ / "empty.gls");
    ASSERT_EQ(::mkfifo((folder_ / "fifo.gls").c_str(), 0600), 0);
    fs::create_directory(folder_ / "folder.gls");
    const QString out = Path(folder_ / "out.png"), board = Path(boardA_);
    const QStringList noDisplay = {"WAYLAND_DISPLAY=bogus",
                                   "XDG_RUNTIME_DIR=" + Path(folder_.path())};
    struct Case {
        QStringList args;
        int status;
        const char* says;
        QStringList environment = {};
    } cases[] = {
        {{"frobnicate"}, 2, "unknown command frobnicate\nUsage: dorvane"},
        {{"--frobnicate"}, 2, "unknown option --frobnicate\nUsage: dorvane"},
        {{"render", board, "--size", "64x48", "--size", "64x48", "-o", out},
         2,
         "option given twice: --size"},
        {{"render", board, "--size", "64x48", "-o", out, "--output", out},
         2,
         "option given twice: --output"},
        {{"render", board, "--size", "8193x100", "-o", out}, 2, "each 1 to 8192"},
        {{"apply", board, "--size", "100x8193"}, 2, "each 1 to 8192"},
        {{"apply", board, "--size=64x48", "--size=64x48"}, 2, "option given twice"},
        {{"render", board, "--size", "64x48", "--dpi", "-o", out}, 2, "no --output given"},
        {{"render", board, "-o"}, 2, "missing value after -o"},
        {{"apply", board, "extra.gls"}, 2, "unexpected argument extra.gls"},
        {{"apply", board, "--help"}, 0, ""},
        {{"apply", board},
         1,
         "no display to measure the screen on: no Wayland compositor",
         noDisplay},
        {{"apply", board},
         1,
         "no display to measure the screen on: no X server answers",
         {"DISPLAY=:65500"}},
        {{"apply", board},
         1,
         "no usable display: Could not find the Qt platform plugin",
         {"QT_QPA_PLATFORM=nonexistent", "DISPLAY=:65500"}},
        {{}, 1, "dorvane: no usable display: no Wayland compositor", noDisplay},
        {{}, 1, "dorvane: no usable display: DISPLAY is not set"},
        {{},
         1,
         "dorvane: no usable display: Could not find the Qt platform plugin",
         {"QT_QPA_PLATFORM=nonexistent"}},
    };
    for (const Case& c : cases) {
        const Finished run = Dorvane(exe_, c.args, c.environment);
        const std::string trace = c.args.join(' ').toStdString() + ": " + run.err.toStdString();
        EXPECT_EQ(run.status, c.status) << trace;
        EXPECT_TRUE(run.err.contains(c.says)) << trace;
        if (!QString(c.says).contains(QChar(10))) {
            EXPECT_LE(run.err.count(QChar(10)), 1) << trace;
        }
    }
    for (const char* name : {"random.gls", "empty.gls", "fifo.gls", "folder.gls", "none.gls"}) {
        const QString path = Path(folder_ / name);
        for (const QStringList& args : {QStringList{"render", path, "--size", "64x48", "-o", out},
                                        QStringList{"apply", path, "--size", "64x48"}}) {
            const Finished run = Dorvane(exe_, args);
            EXPECT_EQ(run.status, 2) << name << " " << args[0].toStdString();
            EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
            EXPECT_TRUE(run.err.contains(name)) << run.err.toStdString();
        }
    }
    EXPECT_FALSE(fs::exists(folder_ / "out.png"));
    std::ifstream in(wallpaper);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "the wallpaper before");
    const Finished version = Dorvane(exe_, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(QRegularExpression("^dorvane \\d+\\.\\d+\n$").match(version.out).hasMatch())
        << version.out.toStdString();
}

}  // namespace
}  // namespace dorvane::app
