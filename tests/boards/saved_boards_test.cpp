// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/saved_boards.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <algorithm>
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
    // Ł sorts after L and before M, ą as a and ó as o: łąka, then Łódź.
    const std::vector<SavedBoardEntry> expected = {
        {"Alpha", "Alpha.GLS"},
        {"beta", "beta.gls"},
        {"\xC5\x82\xC4\x85ka", "\xC5\x82\xC4\x85ka.Gls"},
        {"\xC5\x81\xC3\xB3"
         "d\xC5\xBA",
         "\xC5\x81\xC3\xB3"
         "d\xC5\xBA.gls"},
        {"plan", "plan.gls"},
    };
    EXPECT_EQ(ListSavedBoards(dir.path()), expected);
    EXPECT_TRUE(ListSavedBoards(dir / "missing").empty());
}

std::vector<std::string> EntriesOf(const std::vector<SavedBoardEntry>& list) {
    std::vector<std::string> out;
    for (const SavedBoardEntry& e : list) out.push_back(e.entry);
    return out;
}

// Sorted as the person's language sorts, letter case aside; where no language is
// set (the C locale), as English does.
TEST(SavedBoards, ListedInTheOrderOfThePersonsLanguage) {
    TempFolder dir;
    const std::vector<std::string> names = {"zulu",
                                            "\xC3\x84rger weg",
                                            "\xC3\x85ngstr\xC3\xB6m",
                                            "\xC3\xA9"
                                            "clair",
                                            "\xC4\x86wiczenia",
                                            "cherry",
                                            "Banana",
                                            "apple"};
    for (const std::string& name : names) std::ofstream(dir / (name + ".gls")) << "[Goal]";
    struct Row {
        const char* locale;
        std::vector<std::string> order;
    };
    const Row rows[] = {
        {"C",
         {"\xC3\x85ngstr\xC3\xB6m", "apple", "\xC3\x84rger weg", "Banana", "cherry",
          "\xC4\x86wiczenia",
          "\xC3\xA9"
          "clair",
          "zulu"}},
        {"en_GB",
         {"\xC3\x85ngstr\xC3\xB6m", "apple", "\xC3\x84rger weg", "Banana", "cherry",
          "\xC4\x86wiczenia",
          "\xC3\xA9"
          "clair",
          "zulu"}},
        // Swedish puts Å and Ä after Z.
        {"sv_SE",
         {"apple", "Banana", "cherry", "\xC4\x86wiczenia",
          "\xC3\xA9"
          "clair",
          "zulu", "\xC3\x85ngstr\xC3\xB6m", "\xC3\x84rger weg"}},
    };
    for (const Row& r : rows) {
        QLocale::setDefault(QLocale(r.locale));
        EXPECT_EQ(EntriesOf(ListSavedBoards(dir.path())), r.order) << r.locale;
    }
    QLocale::setDefault(QLocale::c());
}

TEST(SavedBoards, FileNamesKeepTheirOwnBytes) {
    TempFolder dir;
    for (const char* name : {"victim\xFF.gls", "victim\xEF\xBF\xBD.gls", "caf\xE9.gls"})
        std::ofstream(dir / name) << "[Goal]";
    std::vector<std::string> files;
    for (const SavedBoardEntry& e : ListSavedBoards(dir.path())) files.push_back(e.fileName);
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"caf\xE9.gls", "victim\xEF\xBF\xBD.gls",
                                               "victim\xFF.gls"}));
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
    compose::GoalBoard board;
    board.Goal = {"",  "  Run a marathon  ", "", "Learn Spanish", "\t\r\n \x01", "\xCE\xB1 ", "",
                  " x"};
    const std::vector<std::string> expected = {"\xE2\x80\xA2 Run a marathon",
                                               "\xE2\x80\xA2 Learn Spanish",
                                               "\xE2\x80\xA2 \xCE\xB1", "\xE2\x80\xA2 x"};
    EXPECT_EQ(MemoLines(board), expected);
    EXPECT_TRUE(MemoLines(compose::GoalBoard{}).empty());
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
