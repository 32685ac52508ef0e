// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/profile.h"

#include <gtest/gtest.h>

#include "boards/board_text.h"
#include "boards/cp1252.h"

namespace dorvane::boards {
namespace {

TEST(ProfileDocument, FindsSectionsAndKeysInAnyCase) {
    const auto doc = ProfileDocument::Parse("[goal]\r\nfontsize=20\r\n[Preview]\r\nDATANUM=3\r\n");
    EXPECT_EQ(doc.get("Goal", "FontSize"), "20");
    EXPECT_EQ(doc.get("GOAL", "FONTSIZE"), "20");
    EXPECT_EQ(doc.get("preview", "DataNum"), "3");
    EXPECT_EQ(doc.get("Goal", "DataNum"), std::nullopt);
    EXPECT_EQ(doc.get("Other", "FontSize"), std::nullopt);
}

TEST(ProfileDocument, DropsBlanksAndOnePairOfEnclosingQuotes) {
    const auto doc = ProfileDocument::Parse(
        "[G]\r\n a = \"  quoted  \" \r\nb='single'\r\nc=\"\"twice\"\"\r\nd=\"open\r\ne='mixed\"\r\n"
        "f=  inner  blanks stay  \r\ng=\r\n");
    EXPECT_EQ(doc.get("G", "a"), "  quoted  ");
    EXPECT_EQ(doc.get("G", "b"), "single");
    EXPECT_EQ(doc.get("G", "c"), "\"twice\"");
    EXPECT_EQ(doc.get("G", "d"), "\"open");
    EXPECT_EQ(doc.get("G", "e"), "'mixed\"");
    EXPECT_EQ(doc.get("G", "f"), "inner  blanks stay");
    EXPECT_EQ(doc.get("G", "g"), "");
}

TEST(ProfileDocument, CutsValuesAt2047Characters) {
    const std::string longValue(5000, 'v');
    std::string greek;
    for (int i = 0; i < 3000; ++i) greek += "\xCE\xB1";  // alpha, two bytes in UTF-8
    const auto doc = ProfileDocument::Parse("\xEF\xBB\xBF[G]\r\nk=" + longValue +
                                            "\r\nj=" + std::string(2047, 'w') + "\r\ng=" + greek);
    EXPECT_EQ(doc.get("G", "k")->size(), 2047u);
    EXPECT_EQ(doc.get("G", "j")->size(), 2047u);
    EXPECT_EQ(doc.get("G", "g"), greek.substr(0, 2 * 2047));  // characters, never half of one
}

TEST(ProfileDocument, AcceptsAnyLineEndsBlankLinesAndStrayText) {
    const auto doc = ProfileDocument::Parse(
        "orphan=1\n\n[A]\nx=1\r\rnot a pair\r\n\r\n[ B ]\r\ny=2\n[A]\r\nx=9\r\nz=3");
    EXPECT_EQ(doc.get("A", "orphan"), std::nullopt);
    EXPECT_EQ(doc.get("A", "x"), "1");  // the first section and key of a name win
    EXPECT_EQ(doc.get("A", "z"), std::nullopt);
    EXPECT_EQ(doc.get("B", "y"), "2");
}

TEST(ProfileDocument, ReadsHandEditedFilesLikeTheProfileReader) {
    struct Row {
        const char* file;
        const char* section;
        const char* key;
        std::optional<std::string> value;
    };
    const Row rows[] = {
        {"[Goal]\r\n\tFontSize\v=\f 20\x1A\r\n", "Goal", "FontSize", "20"},
        {"\x1A[ Goal ]\t\r\nk=v\r\n", "Goal", "k", "v"},
        {"[Go]al] trailing\r\nk=v\r\n", "Go]al", "k", "v"},
        {"[ Go]al ]\r\nk=v\r\n", "Go]al", "k", "v"},
        {"[\x1A Goal \f]\r\nk=v\r\n", "Goal", "k", "v"},
        {"[Goal\r\nk=v\r\n", "Goal", "k", std::nullopt},  // no "]": not a header
        {"[A]\r\nk=first\r\nK=second\r\n", "A", "k", "first"},
        {"[A]\r\nk=first\r\n[a]\r\nk=second\r\nj=only\r\n", "A", "k", "first"},
        {"[A]\r\nk=first\r\n[a]\r\nk=second\r\nj=only\r\n", "A", "j", std::nullopt},
        {"[A]\r\nk=\"\tquoted\t\"\x1A\r\n", "A", "k", "\tquoted\t"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ProfileDocument::Parse(r.file).get(r.section, r.key), r.value) << r.file;
}

TEST(BoardText, AByteOrderMarkSelectsTheDecoding) {
    struct Row {
        std::string bytes;
        std::string text;
    };
    const Row rows[] = {
        {"Caf\xE9 \x95", "Caf\xC3\xA9 \xE2\x80\xA2"},  // no mark: Windows-1252
        {"\xEF\xBB\xBF\xC5\x82\xF0\x9F\x8E\xAF", "\xC5\x82\xF0\x9F\x8E\xAF"},  // UTF-8
        {"\xEF\xBB\xBF"
         "a\xFF\xC3",
         "a\xEF\xBF\xBD\xEF\xBF\xBD"},  // malformed
        {std::string("\xFF\xFE\x42\x01\x3C\xD8\xAF\xDF", 8), "\xC5\x82\xF0\x9F\x8E\xAF"},
        {std::string("\xFF\xFE\x3C\xD8x\x00y", 7), "\xEF\xBF\xBDx\xEF\xBF\xBD"},  // lone, odd
        {"\xFE\xFF"
         "ab",
         "\xC3\xBE\xC3\xBF"
         "ab"},  // big-endian is not recognised
    };
    for (const Row& r : rows) EXPECT_EQ(DecodeBoardText(r.bytes), r.text) << r.bytes;
}

TEST(BoardText, WindowsCodePageWhenEveryCharacterMapsElseUtf8WithItsMark) {
    EXPECT_EQ(EncodeBoardText("Caf\xC3\xA9 \xE2\x80\xA2 \xE2\x82\xAC"), "Caf\xE9 \x95 \x80");
    EXPECT_EQ(EncodeBoardText("\xC5\x82"), "\xEF\xBB\xBF\xC5\x82");
    EXPECT_EQ(EncodeBoardText("\xC3\xA9\xFF"), "\xEF\xBB\xBF\xC3\xA9\xEF\xBF\xBD");
    // A UTF-16 file as another editor may save it reads like any other.
    const std::u16string file = u"\uFEFF[Goal]\r\nGoal1=\u0141\u00F3d\u017A\r\n";
    const auto doc = ProfileDocument::Parse(std::string_view(
        reinterpret_cast<const char*>(file.data()), file.size() * sizeof(char16_t)));
    EXPECT_EQ(doc.get("goal", "goal1"),
              "\xC5\x81\xC3\xB3"
              "d\xC5\xBA");
}

TEST(ProfileDocument, WritesLikeAKeyByKeyWriter) {
    ProfileDocument doc;
    doc.set("Goal", "Version", "0.1");
    doc.set("Goal", "Name", "plan");
    doc.set("Preview", "DataNum", "0");
    doc.set("goal", "NAME", "other");  // replaces, keeping the key where it was
    doc.set("Goal", "Extra", "e");     // a new key goes to the end of its section
    EXPECT_EQ(doc.serialize(),
              "[Goal]\r\nVersion=0.1\r\nName=other\r\nExtra=e\r\n[Preview]\r\nDataNum=0\r\n");
    const auto back = ProfileDocument::Parse(doc.serialize());
    EXPECT_EQ(back.get("Goal", "Extra"), "e");
}

TEST(ParseProfileInt, LenientDecimalAndHexadecimal) {
    struct Row {
        const char* text;
        std::optional<std::int32_t> value;
    };
    const Row rows[] = {
        {"20", 20},
        {"0x14", 20},
        {"0X14", 20},
        {"$14", 20},
        {"x1f", 31},
        {"X1F", 31},
        {" -5", -5},
        {"+7", 7},
        {"-$10", -16},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"$FFFFFFFF", -1},
        {"0x7FFFFFFF", 2147483647},
        {"big", std::nullopt},
        {"", std::nullopt},
        {"0x", std::nullopt},
        {"$", std::nullopt},
        {"-", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"2147483648", std::nullopt},
        {"$100000000", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"0x-1", std::nullopt},
    };
    for (const Row& r : rows) EXPECT_EQ(ParseProfileInt(r.text), r.value) << r.text;
}

TEST(ProfileDocument, GetIntFallsBackForMissingAndUnparsableValues) {
    const auto doc = ProfileDocument::Parse("[G]\r\na=big\r\nb=\r\nc=0x14\r\n");
    EXPECT_EQ(doc.getInt("G", "a", 16), 16);
    EXPECT_EQ(doc.getInt("G", "b", 16), 16);
    EXPECT_EQ(doc.getInt("G", "c", 16), 20);
    EXPECT_EQ(doc.getInt("G", "missing", -3), -3);
}

TEST(Cp1252, RoundTripsItsCharactersAndReplacesOthers) {
    const std::string text = "Caf\xC3\xA9 \xE2\x80\xA2 20\xE2\x82\xAC \xE2\x80\x9Cok\xE2\x80\x9D";
    const std::string bytes = Utf8ToCp1252(text);
    EXPECT_EQ(bytes, "Caf\xE9 \x95 20\x80 \x93ok\x94");
    EXPECT_EQ(Cp1252ToUtf8(bytes), text);
    EXPECT_EQ(Utf8ToCp1252("\xE6\x97\xA5\xE6\x9C\xAC!"),
              "?"
              "?!");                              // outside the code page
    EXPECT_EQ(Utf8ToCp1252("a\xFF\xC3"), "a??");  // malformed UTF-8
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");  // undefined byte kept as C1
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

}  // namespace
}  // namespace dorvane::boards
