// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/saved_boards.h"

#include <gtest/gtest.h>

#include <fstream>

#include "../platform/temp_folder.h"
#include "base/base64.h"
#include "imaging/jpeg.h"

namespace dorvane::boards {
namespace {

namespace fs = std::filesystem;

std::string Base64(const std::vector<std::uint8_t>& bytes) {
    base::MemoryStream in(bytes), out;
    base::Base64Encode(in, out);
    return out.text();
}

TEST(SavedBoards, ListedByNameWithoutRegardToCase) {
    TempFolder dir;
    for (const char* name : {"plan.gls", "Alpha.GLS", "beta.gls", "plan.txt", "gls",
                             "\xC5\x81\xC3\xB3"
                             "d\xC5\xBA.gls",
                             "\xC5\x82\xC4\x85ka.Gls", "zeta.gls.bak"})
        std::ofstream(dir / name) << "[Goal]";
    fs::create_directory(dir / "folder.gls");
    const std::vector<SavedBoardEntry> expected = {
        {"Alpha", "Alpha.GLS"},
        {"beta", "beta.gls"},
        {"plan", "plan.gls"},
        {"\xC5\x81\xC3\xB3"
         "d\xC5\xBA",
         "\xC5\x81\xC3\xB3"
         "d\xC5\xBA.gls"},  // Łódź beside łąka
        {"\xC5\x82\xC4\x85ka", "\xC5\x82\xC4\x85ka.Gls"},
    };
    EXPECT_EQ(ListSavedBoards(dir.path()), expected);
    EXPECT_TRUE(ListSavedBoards(dir / "missing").empty());
}

TEST(SavedBoards, SaveNamesAndTargets) {
    EXPECT_EQ(DateGoalsName(2026, 12, 7), "2026-12-07-Goals");
    EXPECT_EQ(DateGoalsName(987, 1, 31), "0987-01-31-Goals");
    TempFolder dir;
    std::ofstream(dir / "plan.gls") << "earlier";
    struct Row {
        const char* typed;
        const char* written;
    };
    const Row rows[] = {
        {"typed", "typed.gls"},   {"Plan.gls", "plan.gls"}, {"PLAN", "plan.gls"},
        {"plan.txt", "plan.txt"}, {"new.GLS", "new.GLS"},   {"my.plan", "my.plan"},
    };
    for (const Row& r : rows) EXPECT_EQ(SaveTarget(dir / r.typed), dir / r.written) << r.typed;
}

TEST(SavedBoards, MemoLinesHaveBulletsAndNoGaps) {
    compose::TGoalsProject board;
    board.Goal = {"",  "  Run a marathon  ", "", "Learn Spanish", "\t\r\n \x01", "\xCE\xB1 ", "",
                  " x"};
    const std::vector<std::string> expected = {"\xE2\x80\xA2 Run a marathon",
                                               "\xE2\x80\xA2 Learn Spanish",
                                               "\xE2\x80\xA2 \xCE\xB1", "\xE2\x80\xA2 x"};
    EXPECT_EQ(MemoLines(board), expected);
    EXPECT_TRUE(MemoLines(compose::TGoalsProject{}).empty());
}

TEST(SavedBoards, StoredPreviewShownOnlyWhenItDecodesInsideTheBox) {
    const auto jpeg = [](int w, int h) {
        return Base64(imaging::EncodeJpeg(imaging::Bitmap(w, h), 95));
    };
    struct Row {
        std::string text;
        int width;  // 0: not shown
    };
    const Row rows[] = {
        {jpeg(182, 146), 182},    {jpeg(182, 169), 182},
        {jpeg(100, 169), 100},    {jpeg(183, 100), 0},
        {jpeg(100, 170), 0},      {"", 0},
        {"not base64 at all", 0}, {jpeg(182, 146).substr(0, 40), 0},
    };
    for (const Row& r : rows) {
        const std::optional<imaging::Bitmap> shown = DecodeStoredPreview(r.text);
        EXPECT_EQ(shown ? shown->width() : 0, r.width) << r.text.substr(0, 20);
    }
}

}  // namespace
}  // namespace dorvane::boards
