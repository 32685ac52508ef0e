// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/line_breaking.h"

#include <gtest/gtest.h>

#include <random>

namespace dorvane::compose {
namespace {

// Widths that add up: 10 pixels a character, or per-letter widths.
int Advance(QChar c) {
    return c == u' ' ? 4 : 6 + (c.unicode() % 7);
}

struct Counting {
    long long characters = 0;  // characters measured in total
    int fixed = 0;             // > 0: every character this wide
    MeasureText measure() {
        return [this](const QString& text, int start, int length) {
            characters += length;
            int w = 0;
            for (int i = start; i < start + length; ++i) w += fixed > 0 ? fixed : Advance(text[i]);
            return w;
        };
    }
};

std::vector<QString> Break(const QString& goal, int available, int fixed = 10) {
    Counting c;
    c.fixed = fixed;
    return BreakGoalLines(goal, available, c.measure(), [](QChar) { return 10; });
}

using Lines = std::vector<QString>;

TEST(BreakGoalLines, KeepsAPrefixThatEndsOnAWholeWord) {
    EXPECT_EQ(Break("aaa bbb ccc", 70), (Lines{"aaa bbb", "ccc"}));
}

TEST(BreakGoalLines, MovesTheBreakBackToTheLastBlank) {
    EXPECT_EQ(Break("aaa bbb ccc", 60), (Lines{"aaa", "bbb", "ccc"}));
    EXPECT_EQ(Break("one two three four", 110), (Lines{"one two", "three four"}));
}

TEST(BreakGoalLines, SplitsAWordWiderThanTheBox) {
    EXPECT_EQ(Break("abcdefghij", 30), (Lines{"abc", "def", "ghi", "j"}));
    EXPECT_EQ(Break("ab abcdefgh", 50), (Lines{"ab", "abcde", "fgh"}));
}

TEST(BreakGoalLines, NoLineStartsOrEndsWithABlank) {
    const Lines lines = Break("  aa    bb   cc  dd   ", 50);
    ASSERT_FALSE(lines.empty());
    for (const QString& l : lines) {
        EXPECT_FALSE(l.startsWith(u' ')) << l.toStdString();
        EXPECT_FALSE(l.endsWith(u' ')) << l.toStdString();
    }
    EXPECT_EQ(Break("aa    bb", 1000), (Lines{"aa    bb"}));  // inner blanks stay
}

TEST(BreakGoalLines, ABoxNarrowerThanOneCharacterStillTakesOneALine) {
    EXPECT_EQ(Break("abc", 5), (Lines{"a", "b", "c"}));
    EXPECT_EQ(Break("ab", -1000), (Lines{"a", "b"}));
    EXPECT_TRUE(Break("", 100).empty());
    EXPECT_TRUE(Break(" \t ", 100).empty());
}

TEST(BreakGoalLines, KeepsCharactersOfTwoUnitsWhole) {
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");  // two UTF-16 units
    const Lines lines = Break("ab" + smile + smile, 30);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "ab");
    EXPECT_EQ(lines[1], smile);
    EXPECT_EQ(lines[2], smile);
    EXPECT_EQ(Break(smile + smile, 5), (Lines{smile, smile}));
}

// The breaking rules word for word: shrink the prefix one character at a time.
Lines ReferenceBreak(QString r, int available) {
    auto width = [](const QString& s) {
        int w = 0;
        for (QChar c : s) w += Advance(c);
        return w;
    };
    Lines lines;
    r = TrimGoal(r);
    while (!r.isEmpty()) {
        int n = static_cast<int>(r.size());
        QString p = r;
        while (width(p) > available && n > 1) p = r.left(--n);
        const int fitting = n;
        if (n < r.size() && r[n] != u' ') {
            while (n > 0 && r[n - 1] != u' ') --n;
        }
        if (n == 0) n = fitting;
        lines.push_back(TrimGoal(r.left(n)));
        r = TrimGoal(r.mid(n));
    }
    return lines;
}

TEST(BreakGoalLines, AgreesWithTheOneCharacterAtATimeRulesOnRandomText) {
    std::mt19937 rng(12345);
    const QString alphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyz     ");
    for (int round = 0; round < 400; ++round) {
        QString text;
        const int length = static_cast<int>(rng() % 120);
        for (int i = 0; i < length; ++i)
            text += alphabet[static_cast<int>(rng() % alphabet.size())];
        const int available = static_cast<int>(rng() % 200) - 10;
        Counting c;
        // A poor estimate on purpose: the search must still land on the same breaks.
        const Lines got = BreakGoalLines(TrimGoal(text), available, c.measure(),
                                         [&](QChar) { return static_cast<int>(1 + rng() % 15); });
        ASSERT_EQ(got, ReferenceBreak(text, available)) << text.toStdString() << " / " << available;
    }
}

TEST(BreakGoalLines, AHundredThousandCharacterLineMeasuresNearlyLinearly) {
    QString text;
    for (int i = 0; i < 100000; ++i) text += i % 9 == 8 ? QChar(u' ') : QChar(u'a' + i % 26);
    Counting c;
    const Lines lines =
        BreakGoalLines(text, 1004, c.measure(), [](QChar ch) { return Advance(ch); });
    EXPECT_GT(lines.size(), 500u);
    // Removing one character at a time would measure billions of characters.
    EXPECT_LT(c.characters, 40LL * text.size());
    QString joined;
    for (const QString& l : lines) joined += l;
    QString compact = text;
    compact.remove(u' ');
    joined.remove(u' ');
    EXPECT_EQ(joined, compact);  // nothing lost, nothing repeated
}

}  // namespace
}  // namespace dorvane::compose
