// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/render_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "../support/file_size_limit.h"
#include "app/command_line.h"
#include "imaging/jpeg.h"

namespace dorvane::app {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

TEST(ParseRenderArguments, AcceptsTheDocumentedForms) {
    const auto parsed =
        ParseRenderArguments({"b.gls", "--size", "1280x1024", "--dpi", "120", "-o", "out.PNG"});
    ASSERT_TRUE(std::holds_alternative<RenderOptions>(parsed));
    const RenderOptions& o = std::get<RenderOptions>(parsed);
    EXPECT_EQ(o.board, "b.gls");
    EXPECT_EQ(o.width, 1280);
    EXPECT_EQ(o.height, 1024);
    EXPECT_EQ(o.dpi, 120);
    EXPECT_EQ(o.output, "out.PNG");
    EXPECT_TRUE(o.gallery.empty());
    const auto defaults =
        ParseRenderArguments({"--output=w.bmp", "--size", "800X600", "--", "-b.gls"});
    ASSERT_TRUE(std::holds_alternative<RenderOptions>(defaults));
    EXPECT_EQ(std::get<RenderOptions>(defaults).dpi, 96);
    EXPECT_EQ(std::get<RenderOptions>(defaults).board, "-b.gls");
    EXPECT_EQ(std::get<RenderOptions>(defaults).output, "w.bmp");
}

TEST(ParseRenderArguments, RejectsBadArgumentsWithOneLine) {
    const Args bad[] = {
        {},
        {"b.gls", "-o", "x.png"},
        {"b.gls", "--size", "1280", "-o", "x.png"},
        {"b.gls", "--size", "0x10", "-o", "x.png"},
        {"b.gls", "--size", "99999x10", "-o", "x.png"},
        {"b.gls", "--size", "8193x10", "-o", "x.png"},
        {"b.gls", "--size", "640x480", "--size", "640x480", "-o", "x.png"},
        {"b.gls", "--size=640x480", "-o", "x.png", "--output", "y.png"},
        {"b.gls", "--size", "640x480", "-o", "x.png", "--dpi=96", "--dpi=96"},
        {"b.gls", "--size", "10x-5", "-o", "x.png"},
        {"b.gls", "--size", "640x480"},
        {"b.gls", "--size", "640x480", "-o", "x.jpg"},
        {"b.gls", "--size", "640x480", "-o", "x.png", "--dpi", "0"},
        {"b.gls", "--size", "640x480", "-o", "x.png", "--dpi"},
        {"b.gls", "--size", "640x480", "-o", "x.png", "--colour", "red"},
        {"b.gls", "c.gls", "--size", "640x480", "-o", "x.png"},
    };
    for (const Args& args : bad) {
        const auto parsed = ParseRenderArguments(args);
        ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << ::testing::PrintToString(args);
        EXPECT_EQ(std::get<std::string>(parsed).find('\n'), std::string::npos);
    }
}

// A board file and a gallery folder with one user picture, BEACH, stored as Beach.JPG.
struct GalleryAndBoard {
    QTemporaryDir dir;
    fs::path root = dir.path().toStdString();
    fs::path gallery = root / "gallery";
    fs::path board = root / "beach.gls";

    explicit GalleryAndBoard(const std::string& picName = "beach") {
        fs::create_directory(gallery);
        imaging::Bitmap sand(400, 300);
        sand.fill(0x80C0E0);
        const std::vector<std::uint8_t> jpeg = imaging::EncodeJpeg(sand, 95);
        std::ofstream(gallery / "Beach.JPG", std::ios::binary)
            .write(reinterpret_cast<const char*>(jpeg.data()),
                   static_cast<std::streamsize>(jpeg.size()));
        std::ofstream(board, std::ios::binary)
            << "[Goal]\r\nPicName=" << picName
            << "\r\nGoal1=Swim every day\r\nFontName=Arial\r\nFontSize=36\r\nFontColor=255\r\n"
               "TextPosX=20\r\nTextPosY=20\r\nTextWidth=600\r\n";
    }
    RenderOptions options(int w = 640, int h = 480) const {
        RenderOptions o;
        o.board = board;
        o.width = w;
        o.height = h;
        o.gallery = gallery;
        o.output = root / "out.png";
        return o;
    }
};

bool Near(std::uint32_t a, std::uint32_t b) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                     static_cast<int>((b >> shift) & 0xFF)) > 3)
            return false;
    return true;
}

TEST(RenderBoardPicture, UsesTheGalleryPictureFoundInAnyCaseAndDrawsTheText) {
    GalleryAndBoard s;
    const imaging::Bitmap picture = RenderBoardPicture(s.options());
    ASSERT_EQ(picture.width(), 640);
    ASSERT_EQ(picture.height(), 480);
    EXPECT_TRUE(Near(picture.pixel(500, 400), 0x80C0E0));  // the sand, no text there
    int red = 0;
    for (int y = 20; y < 70; ++y)
        for (int x = 20; x < 400; ++x) red += picture.pixel(x, y) == 0x0000FF;
    EXPECT_GT(red, 100);  // the goal in pure red
}

TEST(RenderBoardPicture, WritesPngAndBmpOfTheScreenSize) {
    GalleryAndBoard s;
    RenderOptions o = s.options(320, 200);
    const imaging::Bitmap picture = RenderBoardPicture(o);
    WriteRenderedPicture(o.output, picture);
    const QImage png(QString::fromStdString(o.output.string()));
    ASSERT_EQ(png.size(), QSize(320, 200));
    const QImage expected(picture.data(), picture.width(), picture.height(),
                          static_cast<qsizetype>(picture.stride()), QImage::Format_RGB888);
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32),
              expected.convertToFormat(QImage::Format_RGB32));
    const fs::path bmp = s.root / "out.bmp";
    WriteRenderedPicture(bmp, picture);
    EXPECT_EQ(QImage(QString::fromStdString(bmp.string())).convertToFormat(QImage::Format_RGB32),
              png.convertToFormat(QImage::Format_RGB32));
}

int RunCommand(Args args, std::string* err = nullptr) {
    args.insert(args.begin(), "dorvane");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::testing::internal::CaptureStderr();
    const int status = RunCommandLine(static_cast<int>(args.size()), argv.data()).value_or(-1);
    const std::string text = ::testing::internal::GetCapturedStderr();
    if (err) *err = text;
    return status;
}

TEST(RunRenderCommand, ReportsFailuresInOneLineWithAnExitStatus) {
    GalleryAndBoard s;
    std::string err;
    EXPECT_EQ(RunCommand({"render", (s.root / "none.gls").string(), "--size", "64x48", "-o",
                          (s.root / "a.png").string()},
                         &err),
              2);
    EXPECT_NE(err.find("there is no board"), std::string::npos);
    std::ofstream(s.root / "two\nlines.gls") << "random bytes";
    EXPECT_EQ(RunCommand({"render", (s.root / "two\nlines.gls").string(), "--size", "64x48", "-o",
                          (s.root / "a.png").string()},
                         &err),
              2);
    EXPECT_NE(err.find("two lines.gls is not a goal board"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    EXPECT_EQ(RunCommand({"render", s.board.string(), "--size", "64x48", "--gallery",
                          s.gallery.string(), "-o", "/no/such/folder/a.png"},
                         &err),
              1);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    EXPECT_EQ(RunCommand({"render", s.board.string(), "--size", "big"}, &err), 2);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    EXPECT_EQ(RunCommand({"render", s.board.string(), "--size", "64x48", "--gallery",
                          s.gallery.string(), "-o", (s.root / "ok.bmp").string()}),
              0);
    EXPECT_TRUE(fs::exists(s.root / "ok.bmp"));
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// What a case changes of a plain render of the beach board.
struct Call {
    fs::path board, output, gallery;
    std::string size = "64x48";
};

// Outputs that must not be destroyed, and the silent fallbacks that now say what
// they stand in for: one line on stderr each.
TEST(RunRenderCommand, RefusesDestructiveOutputsAndWarnsOfFallbacks) {
    const auto link = [](const fs::path& target, const fs::path& at) {
        fs::create_symlink(target, at);
        return at;
    };
    const auto fifo = [](const fs::path& at) {
        EXPECT_EQ(mkfifo(at.c_str(), 0600), 0);
        return at;
    };
    const auto rewrite = [](const fs::path& board, const char* text) {
        std::ofstream(board, std::ios::trunc) << text;
    };
    using Check = std::function<void(const GalleryAndBoard&)>;
    const Check boardIntact = [](const GalleryAndBoard& s) {
        EXPECT_NE(ReadText(s.board).find("Swim every day"), std::string::npos);
    };
    const struct {
        const char* name;
        std::function<void(const GalleryAndBoard&, Call&)> setUp;
        int status;
        std::string said;  // empty: nothing at all
        Check check;
    } cases[] = {
        {"output is the board",
         [](const GalleryAndBoard& s, Call& c) {
             fs::copy_file(s.board, s.root / "board.png");
             c.board = c.output = s.root / "board.png";
         },
         1, "is the board itself",
         [](const GalleryAndBoard& s) {
             EXPECT_EQ(ReadText(s.root / "board.png"), ReadText(s.board));
         }},
        {"output links to the board",
         [&](const GalleryAndBoard& s, Call& c) { c.output = link(s.board, s.root / "l.png"); }, 1,
         "is the board itself", boardIntact},
        {"output is a FIFO",
         [&](const GalleryAndBoard& s, Call& c) { c.output = fifo(s.root / "f.png"); }, 1,
         "not a regular file",
         [](const GalleryAndBoard& s) { EXPECT_TRUE(fs::is_fifo(s.root / "f.png")); }},
        {"output links to a FIFO",
         [&](const GalleryAndBoard& s, Call& c) {
             c.output = link(fifo(s.root / "f"), s.root / "l.png");
         },
         1, "not a regular file",
         [](const GalleryAndBoard& s) {
             EXPECT_TRUE(fs::is_symlink(s.root / "l.png"));
             EXPECT_TRUE(fs::is_fifo(s.root / "f"));
         }},
        {"output is a folder",
         [](const GalleryAndBoard& s, Call& c) {
             fs::create_directory(c.output = s.root / "d.png");
         },
         1, "not a regular file",
         [](const GalleryAndBoard& s) { EXPECT_TRUE(fs::is_directory(s.root / "d.png")); }},
        {"output links to a picture",
         [&](const GalleryAndBoard& s, Call& c) {
             std::ofstream(s.root / "old.png") << "old";
             c.output = link("old.png", s.root / "l.png");
         },
         0, "",
         [](const GalleryAndBoard& s) {
             EXPECT_TRUE(fs::is_symlink(s.root / "l.png"));
             EXPECT_EQ(QImage(QString::fromStdString((s.root / "old.png").string())).size(),
                       QSize(64, 48));
         }},
        {"board without its section",
         [&](const GalleryAndBoard& s, Call&) { rewrite(s.board, "[Other]\r\nGoal1=x\r\n"); }, 2,
         "is not a goal board (it has no [Goal] section)",
         [](const GalleryAndBoard& s) { EXPECT_FALSE(fs::exists(s.root / "out.png")); }},
        {"picture the gallery lacks",
         [&](const GalleryAndBoard& s, Call&) { rewrite(s.board, "[Goal]\r\nPicName=Moon\r\n"); },
         0, "warning: the gallery has no picture \"Moon\"; \"Bryce Canyon\" is used", nullptr},
        {"gallery folder missing",
         [&](const GalleryAndBoard& s, Call& c) {
             rewrite(s.board, "[Goal]\r\nPicName=Bryce Canyon\r\n");
             c.gallery = s.root / "none";
         },
         0, "warning: the gallery folder", nullptr},
        {"size too flat", [](const GalleryAndBoard&, Call& c) { c.size = "16384x2"; }, 2,
         "bad size \"16384x2\"", nullptr},
        {"size of one pixel", [](const GalleryAndBoard&, Call& c) { c.size = "1x1"; }, 2,
         "bad size \"1x1\"", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GalleryAndBoard s;
        Call call{s.board, s.root / "out.png", s.gallery};
        c.setUp(s, call);
        std::string err;
        EXPECT_EQ(RunCommand({"render", call.board.string(), "--size", call.size, "--gallery",
                              call.gallery.string(), "-o", call.output.string()},
                             &err),
                  c.status)
            << err;
        EXPECT_NE(err.find(c.said), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), c.said.empty() ? 0 : 1) << err;
        if (c.check) c.check(s);
    }
}

TEST(RunRenderCommand, AFailedWriteNamesTheSystemsReason) {
    GalleryAndBoard s;
    std::ofstream(s.root / "out.png") << "earlier";
    std::string err;
    {
        const test::FileSizeLimit limit(100);  // far less than the picture needs
        EXPECT_EQ(RunCommand({"render", s.board.string(), "--size", "64x48", "--gallery",
                              s.gallery.string(), "-o", (s.root / "out.png").string()},
                             &err),
                  1);
    }
    EXPECT_NE(err.find(std::strerror(EFBIG)), std::string::npos) << err;
    EXPECT_EQ(ReadText(s.root / "out.png"), "earlier");
    EXPECT_EQ(std::distance(fs::directory_iterator(s.root), {}), 3);  // no temporary file left
}

TEST(RunRenderCommand, AnUndecodablePictureIsReported) {
    GalleryAndBoard s;
    std::ofstream(s.gallery / "beach.jpg", std::ios::binary | std::ios::trunc) << "not a jpeg";
    fs::remove(s.gallery / "Beach.JPG");
    std::string err;
    EXPECT_EQ(RunCommand({"render", s.board.string(), "--size", "64x48", "--gallery",
                          s.gallery.string(), "-o", (s.root / "a.png").string()},
                         &err),
              1);
    EXPECT_NE(err.find("cannot load the picture \"beach\""), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(s.root / "a.png"));
}

}  // namespace
}  // namespace dorvane::app
