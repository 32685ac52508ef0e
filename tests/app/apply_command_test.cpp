// SPDX-License-Identifier: GPL-3.0-or-later
// "dorvane apply" as a login script runs it: a copy of the program, a plain X
// server with no desktop, an environment that holds nothing but DISPLAY.
#include "app/apply_command.h"

#include <gtest/gtest.h>

#include <QImage>
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
    QString err;
};

Finished Dorvane(const fs::path& exe, const QStringList& args, const QString& display = {}) {
    QProcess p;
    QProcessEnvironment env;  // empty
    if (!display.isEmpty()) env.insert("DISPLAY", display);
    p.setProcessEnvironment(env);
    p.start(QString::fromStdString(exe.string()), args);
    const bool done = p.waitForFinished(60000);
    return {done && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardError())};
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
        const Finished run = Dorvane(exe_, {"apply", Path(board)}, server.display());
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(ReadRootPixels(server.display()), Rendered(board, "640x480"));
    }
    EXPECT_TRUE(fs::exists(folder_ / "Dorvane_wallpaper.bmp"));
    // A size of one's own, stretched onto the screen by the desktop.
    ASSERT_EQ(Dorvane(exe_, {"apply", Path(boardA_), "--size", "320x240"}, server.display()).status,
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
        {{"apply", Path(folder_ / "none.gls")}, 2, "cannot read the board"},
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

}  // namespace
}  // namespace dorvane::app
