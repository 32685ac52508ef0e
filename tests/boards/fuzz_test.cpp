// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes into the profile reader and the board reader (run under the
// sanitizers in CI): no crash, no hang, bounded results.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <random>

#include "boards/profile.h"
#include "boards/project_file.h"
#include "boards/utf8.h"

namespace dorvane::boards {
namespace {

namespace fs = std::filesystem;

BoardReadContext Context() {
    BoardReadContext c;
    c.screenWidth = 1024;
    c.screenHeight = 768;
    c.fontItems = {"Arial"};
    c.findPictureByName = [](const std::string& n) { return n == "Fall" ? 4 : -1; };
    return c;
}

// Random bytes biased towards the characters that matter to the parser.
std::string RandomBytes(std::mt19937& rng, std::size_t length) {
    static const std::string interesting = "[]=\r\n \t\"'$x0-9Goal1DataNumPreview";
    std::string s(length, '\0');
    for (char& c : s)
        c = rng() % 2 ? interesting[rng() % interesting.size()] : static_cast<char>(rng() % 256);
    return s;
}

std::string Mutate(std::mt19937& rng, std::string s) {
    const int edits = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < edits && !s.empty(); ++i) {
        const std::size_t at = rng() % s.size();
        switch (rng() % 3) {
            case 0:
                s[at] = static_cast<char>(rng() % 256);
                break;
            case 1:
                s.erase(at, rng() % 20);
                break;
            default:
                s.insert(at, RandomBytes(rng, rng() % 30));
                break;
        }
    }
    return s;
}

const std::string kValid =
    "[Goal]\r\nVersion=0.1\r\nName=n\r\nPicName=Fall\r\nGoal1=Run\r\nFontName=Arial\r\n"
    "FontSize=24\r\nFontStyle=1\r\nFontColor=255\r\nTextPosX=40\r\nTextPosY=40\r\n"
    "TextWidth=500\r\n[Preview]\r\nData1=QUJD\r\nData2=REVG\r\nDataNum=2\r\n";

void CheckBoard(const compose::GoalBoard& b) {
    EXPECT_LE(b.TextPosX, 1024 - 50);
    EXPECT_LE(b.TextPosY, 768 - 10);
    EXPECT_TRUE(b.PicName == "Fall" || b.PicName == "Bryce Canyon");
    EXPECT_TRUE(b.FontName == "Arial");
    for (const std::string& goal : b.Goal) EXPECT_LE(Utf8Length(goal), 2047u);
    EXPECT_LE(b.Preview.size(), kMaxProfileFileBytes);
}

TEST(BoardReaderFuzz, ArbitraryAndMutatedFilesReadSafely) {
    QTemporaryDir dir;
    const fs::path path = fs::path(dir.path().toStdString()) / "fuzz.gls";
    std::mt19937 rng(20261208);
    for (int round = 0; round < 2000; ++round) {
        const std::string bytes = round % 2 ? Mutate(rng, kValid) : RandomBytes(rng, rng() % 3000);
        const ProfileDocument doc = ProfileDocument::Parse(bytes);
        for (const char* key : {"FontSize", "Goal1", "DataNum", "x", ""})
            EXPECT_LE(Utf8Length(doc.get("Goal", key).value_or("")), kMaxProfileValue);
        if (round % 10 != 0) continue;  // files are slow to write here; every tenth goes to disk
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        compose::GoalBoard board;
        ReadProjectFile(path, board, Context());
        CheckBoard(board);
    }
}

TEST(BoardReaderFuzz, AHugeFileIsReadOnlyUpToItsLimit) {
    QTemporaryDir dir;
    const fs::path path = fs::path(dir.path().toStdString()) / "huge.gls";
    {
        std::ofstream out(path, std::ios::binary);
        out << "[Preview]\r\nDataNum=2147483647\r\n";
        const std::string piece = "Data1=" + std::string(2000, 'A') + "\r\n";
        for (int i = 0; i < 3000; ++i) out << piece;  // 6 MB of pieces...
    }
    fs::resize_file(path, 50u << 20);  // ...and a 50 MB file in all
    compose::GoalBoard board;
    ReadProjectFile(path, board, Context());
    EXPECT_EQ(board.Preview.size(), 2000u);  // Data1 alone is present, however often
    EXPECT_EQ(board.FontSize, 16);
}

}  // namespace
}  // namespace dorvane::boards
