// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/project_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "../support/file_size_limit.h"
#include "base/ascii.h"
#include "base/base64.h"
#include "base/error.h"
#include "compose/goal_text.h"
#include "compose/overlay.h"
#include "imaging/jpeg.h"

namespace dorvane::boards {
namespace {

namespace fs = std::filesystem;
using compose::GoalBoard;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

BoardReadContext Context(int width = 1024, int height = 768) {
    BoardReadContext c;
    c.screenWidth = width;
    c.screenHeight = height;
    c.fontItems = {"Arial", "Courier New", "Times New Roman"};
    c.findPictureByName = [](const std::string& name) {
        const std::string up = base::AsciiUpper(name);
        return up == "BRYCE CANYON" ? 1 : up == "SUNSET" ? 22 : up == "BEACH" ? 33 : -1;
    };
    return c;
}

GoalBoard FixtureBoard() {
    GoalBoard b;
    b.Name = "ignored when writing";
    b.PicName = "Sunset";
    b.Goal[1] = "Run a marathon";
    b.Goal[3] = "Learn Italian";
    b.Goal[7] = "Caf\xC3\xA9 \xE2\x80\xA2 20\xE2\x82\xAC";
    b.FontName = "Arial";
    b.FontSize = 24;
    b.FontStyle = 1;
    b.FontColor = 0xFFFFFF;
    b.FontShading = 1;
    b.FontAlign = 2;
    b.FontBullets = true;
    b.TextPosX = 40;
    b.TextPosY = -5;
    b.TextWidth = 600;
    b.Preview = "/9j/4AAQSkZJRg";
    return b;
}

const fs::path kFixture = fs::path(DORVANE_SOURCE_DIR) / "tests/boards/data/plan.gls";

TEST(BoardFile, WritesExactlyTheHandWrittenFixture) {
    EXPECT_EQ(BoardFileBytes(FixtureBoard(), BoardNameFromPath("/home/u/MyGoals/plan.gls")),
              ReadAll(kFixture));
}

TEST(BoardFile, ReadsTheFixtureBack) {
    GoalBoard b;
    ReadProjectFile(kFixture, b, Context());
    GoalBoard expected = FixtureBoard();
    expected.Name = "plan";
    EXPECT_EQ(b, expected);
}

TEST(BoardFile, GoalsInAnyScriptSurviveAsUtf8WithItsMark) {
    GoalBoard board = FixtureBoard();
    board.Goal = {"",
                  "Zrobi\xC4\x87 pi\xC5\x82k\xC4\x99",
                  "\xCE\x9C\xCE\xAC\xCE\xB8\xCE\xB5",
                  "\xE5\xAD\xA6\xE4\xB9\xA0",
                  "\xD8\xAA\xD8\xB9\xD9\x84\xD9\x85",
                  "Run \xF0\x9F\x8F\x83",
                  "Caf\xC3\xA9 \xE2\x80\xA2",
                  ""};
    QTemporaryDir dir;
    const fs::path path = fs::path(dir.path().toStdString()) / "\xE8\xAE\xA1\xE5\x88\x92.gls";
    const std::string bytes = BoardFileBytes(board, BoardNameFromPath(path));
    EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF[Goal]\r\nVersion=0.1\r\n"));
    WriteAll(path, bytes);
    GoalBoard back;
    ReadProjectFile(path, back, Context());
    board.Name = "\xE8\xAE\xA1\xE5\x88\x92";
    EXPECT_EQ(back, board);
}

TEST(BoardFile, NameIsTheFileNameWithoutItsLastFourCharacters) {
    EXPECT_EQ(BoardNameFromPath("/x/plan.txt"), "plan");
    EXPECT_EQ(BoardNameFromPath("/x/a.gl"), "");
    EXPECT_EQ(BoardNameFromPath("/x/C:\\goals\\Summer.gls"), "C:\\goals\\Summer");
    EXPECT_EQ(BoardNameFromPath("/x/Q1: fitness.gls"), "Q1: fitness");
    EXPECT_EQ(BoardNameFromPath("/x/ab.c.gls"), "ab.c");
    EXPECT_EQ(BoardNameFromPath("/x/\xC5\x82\xC4\x85ka.gls"), "\xC5\x82\xC4\x85ka");
}

TEST(BoardFile, GoalsComeBackAsTheReaderSeesThemWithTheirQuotes) {
    struct Row {
        const char* goal;
        const char* written;  // the line after "Goal1="
        const char* back;
    };
    const Row rows[] = {
        {"\"Carpe diem\"", "\"\"Carpe diem\"\"", "\"Carpe diem\""},
        {"'Carpe diem'", "\"'Carpe diem'\"", "'Carpe diem'"},
        {"\"a\" or \"b\"", "\"\"a\" or \"b\"\"", "\"a\" or \"b\""},
        {"\"\"", "\"\"\"\"", "\"\""},
        // Blanks around a value are dropped on reading, quoted or not.
        {"  \"spaced\" \t", "\"\"spaced\"\"", "\"spaced\""},
        {"  lead and trail  ", "  lead and trail  ", "lead and trail"},
        {"\" inner blanks \"", "\"\" inner blanks \"\"", "\" inner blanks \""},
        // Not wholly inside one pair: written as it is.
        {"\"", "\"", "\""},
        {"\"mixed'", "\"mixed'", "\"mixed'"},
        {"say \"hi\"", "say \"hi\"", "say \"hi\""},
        // A pasted line break becomes a blank.
        {"two\r\nlines", "two  lines", "two  lines"},
        {"\"one\nline\"", "\"\"one line\"\"", "\"one line\""},
    };
    QTemporaryDir dir;
    for (const Row& r : rows) {
        GoalBoard board = FixtureBoard();
        board.Goal[1] = r.goal;
        const std::string bytes = BoardFileBytes(board, "n");
        EXPECT_NE(bytes.find(std::string("\r\nGoal1=") + r.written + "\r\n"), std::string::npos)
            << r.goal;
        const fs::path path = fs::path(dir.path().toStdString()) / "q.gls";
        WriteAll(path, bytes);
        GoalBoard back;
        ReadProjectFile(path, back, Context());
        EXPECT_EQ(back.Goal[1], r.back) << r.goal;
    }
}

std::string PreviewSection(std::size_t previewLength) {
    GoalBoard b = FixtureBoard();
    b.Preview = std::string(previewLength, 'Q');
    const std::string bytes = BoardFileBytes(b, "n");
    return bytes.substr(bytes.find("[Preview]"));
}

TEST(BoardFile, PreviewIsCutIntoPiecesOf2000Characters) {
    EXPECT_EQ(PreviewSection(4000), "[Preview]\r\nData1=" + std::string(2000, 'Q') + "\r\nData2=" +
                                        std::string(2000, 'Q') + "\r\nDataNum=2\r\n");
    EXPECT_EQ(PreviewSection(4001), "[Preview]\r\nData1=" + std::string(2000, 'Q') + "\r\nData2=" +
                                        std::string(2000, 'Q') + "\r\nData3=Q\r\nDataNum=3\r\n");
    EXPECT_EQ(PreviewSection(0), "[Preview]\r\nDataNum=0\r\n");
}

// The file of the fixture with the Goal lines replaced.
GoalBoard ReadWith(const std::string& goalLines, const std::string& preview = "",
                   BoardReadContext context = Context()) {
    QTemporaryDir dir;
    const fs::path path = fs::path(dir.path().toStdString()) / "t.gls";
    WriteAll(path, "[Goal]\r\n" + goalLines + preview);
    GoalBoard b;
    ReadProjectFile(path, b, context);
    return b;
}

TEST(ReadProjectFile, AMissingFileGivesTheDefaults) {
    GoalBoard b;
    b.Goal[2] = "old";
    b.Preview = "old";
    ReadProjectFile("/no/such/file.gls", b, Context());
    GoalBoard expected;
    expected.PicName = "Bryce Canyon";
    expected.FontName = "Arial";
    expected.FontSize = 16;
    expected.TextPosX = 10;
    expected.TextPosY = 10;
    expected.TextWidth = 1004;
    EXPECT_EQ(b, expected);
}

TEST(ReadProjectFile, CorrectsTheBoxToTheScreen) {
    EXPECT_EQ(ReadWith("TextPosX=974\r\n").TextPosX, 974);
    EXPECT_EQ(ReadWith("TextPosX=975\r\n").TextPosX, 10);
    EXPECT_EQ(ReadWith("TextPosX=-300\r\n").TextPosX, -300);  // no lower bound
    EXPECT_EQ(ReadWith("TextWidth=1014\r\n").TextWidth, 1014);
    EXPECT_EQ(ReadWith("TextWidth=1015\r\n").TextWidth, 1014);
    EXPECT_EQ(ReadWith("TextPosY=758\r\n").TextPosY, 758);
    EXPECT_EQ(ReadWith("TextPosY=759\r\n").TextPosY, 10);
    const GoalBoard far = ReadWith("TextPosX=-2147483648\r\nTextWidth=2147483647\r\n");
    EXPECT_EQ(far.TextPosX, -2147483647 - 1);
    EXPECT_EQ(far.TextWidth, 2147483647);  // the box ends at −1, inside the screen: no overflow
    EXPECT_EQ(ReadWith("TextWidth=-1000\r\n").TextWidth, -1000);
}

TEST(ReadProjectFile, TheStyledScreenCountsOnlyWhenBothSidesAreSound) {
    const struct {
        const char* lines;
        int width, height;
    } cases[] = {
        {"ScreenWidth=2560\r\nScreenHeight=1440\r\n", 2560, 1440},
        {"ScreenWidth= 1080 \r\nScreenHeight=1920\r\n", 1080, 1920},
        {"ScreenWidth=32767\r\nScreenHeight=1\r\n", 32767, 1},
        {"", 0, 0},
        {"ScreenWidth=2560\r\n", 0, 0},
        {"ScreenWidth=0\r\nScreenHeight=1440\r\n", 0, 0},
        {"ScreenWidth=-1920\r\nScreenHeight=1080\r\n", 0, 0},
        {"ScreenWidth=1000000\r\nScreenHeight=1080\r\n", 0, 0},
        {"ScreenWidth=32768\r\nScreenHeight=1080\r\n", 0, 0},
        {"ScreenWidth=99999999999999999999\r\nScreenHeight=1080\r\n", 0, 0},
        {"ScreenWidth=abc\r\nScreenHeight=1080\r\n", 0, 0},
        {"ScreenWidth=1920px\r\nScreenHeight=1080\r\n", 0, 0},
        {"ScreenWidth=0x780\r\nScreenHeight=1080\r\n", 0, 0},
        {"ScreenWidth=+1920\r\nScreenHeight=1080\r\n", 0, 0},
        {"ScreenWidth=\r\nScreenHeight=1080\r\n", 0, 0},
    };
    for (const auto& c : cases) {
        const GoalBoard b = ReadWith(c.lines);
        EXPECT_EQ(b.ScreenWidth, c.width) << c.lines;
        EXPECT_EQ(b.ScreenHeight, c.height) << c.lines;
    }
}

TEST(ReadProjectFile, ABoardStyledOnAnotherScreenKeepsItsBoxAsItWasThere) {
    // Read for a 1024 x 768 screen, but styled on 2560 x 1440: corrected against that.
    const GoalBoard b =
        ReadWith("TextPosX=2000\r\nTextPosY=1300\r\nScreenWidth=2560\r\nScreenHeight=1440\r\n");
    EXPECT_EQ(b.TextPosX, 2000);
    EXPECT_EQ(b.TextPosY, 1300);
    EXPECT_EQ(b.TextWidth, 560);
    // Absurd sizes are absent: the screen read for corrects the box as always.
    const GoalBoard absurd =
        ReadWith("TextPosX=2000\r\nScreenWidth=1000000\r\nScreenHeight=1000000\r\n");
    EXPECT_EQ(absurd.TextPosX, 10);
    EXPECT_EQ(absurd.TextWidth, 1004);
}

TEST(ReadProjectFile, LenientIntegersAndTheirDefaults) {
    EXPECT_EQ(ReadWith("FontSize=0x14\r\n").FontSize, 20);
    EXPECT_EQ(ReadWith("FontSize=big\r\n").FontSize, 16);
    EXPECT_EQ(ReadWith("FontSize=100000\r\n").FontSize, 100000);  // kept; drawn clamped
    EXPECT_TRUE(ReadWith("FontBullets=2\r\n").FontBullets);
    EXPECT_FALSE(ReadWith("FontBullets=0\r\n").FontBullets);
    EXPECT_EQ(ReadWith("FontStyle=258\r\n").FontStyle, 2);  // low 8 bits
    EXPECT_EQ(ReadWith("FontColor=$FF0000\r\n").FontColor, 0xFF0000);
}

TEST(ReadProjectFile, KeysInOtherCaseQuotesAndBlanks) {
    const std::string file = "[goal]\r\nfontsize=28\r\nGOAL1=  spaced  \r\ngoal2=\"quoted\"\r\n";
    QTemporaryDir dir;
    const fs::path path = fs::path(dir.path().toStdString()) / "case.gls";
    WriteAll(path, file);
    GoalBoard b;
    ReadProjectFile(path, b, Context());
    EXPECT_EQ(b.FontSize, 28);
    EXPECT_EQ(b.Goal[1], "spaced");
    EXPECT_EQ(b.Goal[2], "quoted");
}

TEST(ReadProjectFile, FontAndPictureCorrections) {
    EXPECT_EQ(ReadWith("FontName=times new roman\r\n").FontName, "times new roman");
    EXPECT_EQ(ReadWith("FontName=Wingdings\r\n").FontName, "Arial");
    BoardReadContext noFonts = Context();
    noFonts.fontItems.clear();
    EXPECT_EQ(ReadWith("FontName=Arial\r\n", "", noFonts).FontName, "");
    EXPECT_EQ(ReadWith("PicName=beach\r\n").PicName, "beach");
    EXPECT_EQ(ReadWith("PicName=Nowhere\r\n").PicName, "Bryce Canyon");
}

TEST(ReadProjectFile, PreviewPiecesUpToDataNum) {
    const std::string pieces = "[Preview]\r\nData1=AAAA\r\nData2=BBBB\r\nData3=CCCC\r\n";
    EXPECT_EQ(ReadWith("", pieces + "DataNum=2\r\n").Preview, "AAAABBBB");
    EXPECT_EQ(ReadWith("", pieces + "DataNum=9\r\n").Preview, "AAAABBBBCCCC");
    EXPECT_EQ(ReadWith("", pieces + "DataNum=2147483647\r\n").Preview, "AAAABBBBCCCC");
    EXPECT_EQ(ReadWith("", pieces + "DataNum=0\r\n").Preview, "");
    EXPECT_EQ(ReadWith("", pieces + "DataNum=-4\r\n").Preview, "");
    EXPECT_EQ(ReadWith("", pieces + "DataNum=lots\r\n").Preview, "");
    EXPECT_EQ(ReadWith("", pieces).Preview, "");
    EXPECT_EQ(ReadWith("", "[Preview]\r\nData1=AA\r\nData3=CC\r\nDataNum=3\r\n").Preview, "AACC");
}

// A 1280 × 1024 scene: a picture with some structure and the board's text layer.
struct Scene {
    imaging::Bitmap picture{1280, 1024};
    compose::TextLayer layer{1280, 1024};
    Scene() {
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y,
                                 static_cast<std::uint32_t>((x / 5) | ((y / 4) << 8) | 0x400000));
    }
};

TEST(WriteProjectFile, AddsTheScreenSizeAfterTheBoxAndChangesNoOtherByte) {
    QTemporaryDir dir;
    const fs::path path = fs::path(dir.path().toStdString()) / "plan.gls";
    Scene s;
    GoalBoard board = FixtureBoard();
    compose::RenderTextLayer(s.layer, board, 96, 328);
    WriteProjectFile(path, board, s.picture, s.layer);
    EXPECT_EQ(board.ScreenWidth, 1280);
    EXPECT_EQ(board.ScreenHeight, 1024);
    GoalBoard unsized = board;
    unsized.ScreenWidth = unsized.ScreenHeight = 0;
    const std::string before = BoardFileBytes(unsized, "plan");
    const std::size_t at = before.find("[Preview]");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(ReadAll(path), before.substr(0, at) + "ScreenWidth=1280\r\nScreenHeight=1024\r\n" +
                                 before.substr(at));
}

TEST(WriteProjectFile, RoundTripGivesTheSameBoardAndTheSamePixels) {
    QTemporaryDir dir;
    const fs::path path = fs::path(dir.path().toStdString()) / "Summer plan.gls";
    Scene s;
    GoalBoard board = FixtureBoard();
    board.Preview.clear();
    compose::RenderTextLayer(s.layer, board, 96, 328);
    WriteProjectFile(path, board, s.picture, s.layer);
    ASSERT_FALSE(board.Preview.empty());
    EXPECT_EQ(ReadAll(path), BoardFileBytes(board, "Summer plan"));

    GoalBoard back;
    ReadProjectFile(path, back, Context(1280, 1024));
    GoalBoard expected = board;
    expected.Name = "Summer plan";
    EXPECT_EQ(back, expected);

    compose::TextLayer again(1280, 1024);
    compose::RenderTextLayer(again, back, 96, 328);
    EXPECT_EQ(again.image(), s.layer.image());
    imaging::Bitmap first = s.picture, second = s.picture;
    compose::OverlayTextLayer(first, s.layer);
    compose::OverlayTextLayer(second, again);
    EXPECT_EQ(first, second);

    // The stored preview: a JPEG of the screen fitted into 182 × 169.
    base::MemoryStream text(back.Preview);
    base::MemoryStream bytes;
    base::Base64Decode(text, bytes);
    const imaging::Bitmap preview = imaging::DecodeJpeg(bytes.bytes(), "preview");
    EXPECT_EQ(preview.width(), 182);
    EXPECT_EQ(preview.height(), 146);
    EXPECT_EQ(back.Preview.find('='), std::string::npos);
}

// Outlines and bands are stored as FontShading 3 to 12 and come back drawing the
// same pixels; a value beyond the list is kept as it was (and draws no shading).
TEST(WriteProjectFile, EveryShadingRoundTripsAndDrawsAlike) {
    QTemporaryDir dir;
    const fs::path path = fs::path(dir.path().toStdString()) / "shaded.gls";
    Scene s;
    for (const int shading : {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 255}) {
        GoalBoard board = FixtureBoard();
        board.FontShading = static_cast<std::uint8_t>(shading);
        compose::RenderTextLayer(s.layer, board, 96, 328);
        WriteProjectFile(path, board, s.picture, s.layer);
        EXPECT_NE(ReadAll(path).find("FontShading=" + std::to_string(shading) + "\r\n"),
                  std::string::npos);
        GoalBoard back;
        ReadProjectFile(path, back, Context(1280, 1024));
        EXPECT_EQ(back.FontShading, shading);
        compose::TextLayer again(1280, 1024);
        compose::RenderTextLayer(again, back, 96, 328);
        EXPECT_EQ(again.image(), s.layer.image()) << shading;
    }
}

TEST(WriteProjectFile, AFailedSaveLeavesTheEarlierFileAndNoLitter) {
    QTemporaryDir dir;
    const fs::path path = fs::path(dir.path().toStdString()) / "keep.gls";
    WriteAll(path, "earlier board");
    GoalBoard board = FixtureBoard();
    compose::TextLayer layer(10, 10);
    EXPECT_THROW(WriteProjectFile(path, board, imaging::Bitmap(), layer), base::Error);
    EXPECT_EQ(ReadAll(path), "earlier board");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path().toStdString()), {}), 1);
    EXPECT_THROW(WriteProjectFile("/no/such/folder/x.gls", board, Scene().picture, layer),
                 base::Error);
}

TEST(WriteProjectFile, ASaveThatBreaksOffHalfWayLeavesTheEarlierFile) {
    QTemporaryDir dir;
    const fs::path path = fs::path(dir.path().toStdString()) / "keep.gls";
    WriteAll(path, "earlier board");
    Scene s;
    GoalBoard board = FixtureBoard();
    board.Preview.clear();
    {
        const test::FileSizeLimit limit(300);  // less than the new file needs
        EXPECT_THROW(WriteProjectFile(path, board, s.picture, s.layer), base::Error);
    }
    EXPECT_EQ(ReadAll(path), "earlier board");
    EXPECT_TRUE(board.Preview.empty());  // the board keeps its old preview too
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path().toStdString()), {}), 1);
}

TEST(WriteProjectFile, ReplacesAnEarlierFileWhole) {
    QTemporaryDir dir;
    const fs::path path = fs::path(dir.path().toStdString()) / "plan.gls";
    WriteAll(path, "[Goal]\r\nOldKey=stays?\r\n[Other]\r\nx=1\r\n" + std::string(100000, 'z'));
    Scene s;
    GoalBoard board = FixtureBoard();
    WriteProjectFile(path, board, s.picture, s.layer);
    EXPECT_EQ(ReadAll(path), BoardFileBytes(board, "plan"));
}

}  // namespace
}  // namespace dorvane::boards
