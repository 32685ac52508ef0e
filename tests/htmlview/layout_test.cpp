// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "test_support.h"

namespace dorvane::htmlview {
namespace {

using test::Lay;

TEST(Layout, SpacerBecomesABlankOfItsAttributeSize) {
    const auto l = Lay("<img src=s height=10>", 300);
    EXPECT_EQ(l.image("s").rect, QRectF(0, 0, 1, 10));
    EXPECT_EQ(l.result.height, 10);
    const auto two = Lay("<img src=s width=10 height=3>", 300);
    EXPECT_EQ(two.image("s").rect, QRectF(0, 0, 10, 3));
}

TEST(Layout, SpacerPushesTheFollowingTextDown) {
    const auto l = Lay("<img src=s width=1 height=4><br>Text", 300);
    const auto text = l.of(Fragment::Kind::Text);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0]->rect.top(), 4);
}

TEST(Layout, ImagesScaleToTheirAttributes) {
    const auto l =
        Lay("<img src=w20h10 width=40 height=30><img src=w20h10 width=7>"
            "<img src=w20h10><img src=missing width=5 height=6><img src=missing>",
            300);
    const auto images = l.of(Fragment::Kind::Image);
    ASSERT_EQ(images.size(), 5u);
    EXPECT_EQ(images[0]->rect.size(), QSizeF(40, 30));
    EXPECT_EQ(images[1]->rect.size(), QSizeF(7, 10));
    EXPECT_EQ(images[2]->rect.size(), QSizeF(20, 10));
    EXPECT_EQ(images[3]->rect.size(), QSizeF(5, 6));
    EXPECT_EQ(images[4]->rect.size(), QSizeF(0, 0));
    // Side by side on one baseline: bottoms aligned.
    EXPECT_EQ(images[1]->rect.left(), 40);
    EXPECT_EQ(images[0]->rect.bottom(), images[1]->rect.bottom());
}

TEST(Layout, HugeImageAttributesAreClamped) {
    const auto l = Lay("<img src=s width=100000 height=99999999>", 385);
    EXPECT_EQ(l.image("s").rect.size(), QSizeF(16384, 16384));
}

TEST(Layout, BorderedImageGetsAFrameAroundIt) {
    const auto l = Lay("<img src=w10h10 border=2>", 300);
    EXPECT_EQ(l.image("w10h10").rect, QRectF(2, 2, 10, 10));
    const auto frames = l.of(Fragment::Kind::Frame);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->rect, QRectF(0, 0, 14, 14));
}

TEST(Layout, ParagraphsAndDivsAlign) {
    const auto l =
        Lay("<p align=right><img src=w50h10></p><div align=center><img src=w60h10></div>"
            "<center><img src=w10h10></center><p align=left><img src=w5h5></p>",
            300);
    EXPECT_EQ(l.image("w50h10").rect.left(), 250);
    EXPECT_EQ(l.image("w60h10").rect.left(), 120);
    EXPECT_EQ(l.image("w10h10").rect.left(), 145);
    EXPECT_EQ(l.image("w5h5").rect.left(), 0);
}

TEST(Layout, MarginsOffsetTheContent) {
    const auto l = Lay("<img src=w10h10>", 300, {}, 7);
    EXPECT_EQ(l.image("w10h10").rect, QRectF(7, 7, 10, 10));
    EXPECT_EQ(l.result.height, 24);
}

TEST(Layout, ParagraphMarginsCollapse) {
    const auto l = Lay("<p><img src=w1h10></p><p><img src=w2h10></p>", 300);
    const float gap = l.image("w2h10").rect.top() - l.image("w1h10").rect.bottom();
    EXPECT_EQ(l.image("w1h10").rect.top(), gap);  // one margin before, one between
    EXPECT_GT(gap, 10);
    EXPECT_LT(gap, 16);
}

TEST(Layout, TextWrapsWithinTheWidth) {
    const auto l =
        Lay("<p>one two three four five six seven eight nine ten eleven twelve "
            "thirteen fourteen fifteen sixteen</p>",
            120);
    const auto text = l.of(Fragment::Kind::Text);
    ASSERT_GE(text.size(), 3u);
    for (const Fragment* f : text) EXPECT_LE(f->rect.right(), 120.5) << f->text.toStdString();
    for (std::size_t i = 1; i < text.size(); ++i)
        EXPECT_GT(text[i]->rect.top(), text[i - 1]->rect.top());
    const auto spaces = test::Lay("<p>a  \n  b</p>", 300);
    EXPECT_EQ(spaces.of(Fragment::Kind::Text)[0]->text, "a b");
}

TEST(Layout, WordsGluedAcrossStylesBreakTogether) {
    // Find the width at which "aaa bbb" just fits, then glue a full stop to the end.
    const auto fit = Lay("aaa <u>bbb</u>", 300);
    const auto runs = fit.of(Fragment::Kind::Text);
    const int width = int(std::ceil(runs.back()->rect.right()));
    const auto l = Lay("aaa <u>bbb</u>.", width);
    const auto text = l.of(Fragment::Kind::Text);
    ASSERT_EQ(text.size(), 3u);
    EXPECT_EQ(text[0]->text, "aaa");
    EXPECT_EQ(text[1]->text, "bbb");
    EXPECT_EQ(text[2]->text, ".");
    // "bbb." moved down as one word; the full stop is not left alone on a line.
    EXPECT_GT(text[1]->rect.top(), text[0]->rect.top());
    EXPECT_EQ(text[2]->rect.top(), text[1]->rect.top());
    EXPECT_EQ(text[1]->rect.left(), 0);
}

TEST(Layout, LongWordOverflowsRatherThanVanishing) {
    const auto l = Lay("x Supercalifragilisticexpialidocious", 40);
    const auto text = l.of(Fragment::Kind::Text);
    ASSERT_EQ(text.size(), 2u);
    EXPECT_EQ(text[1]->text, "Supercalifragilisticexpialidocious");
    EXPECT_EQ(text[1]->rect.left(), 0);
}

TEST(Layout, FontSizesAndStylesChangeTheFont) {
    const auto l =
        Lay("a<font size=+1>b</font><font size=-1>c</font><strong>d</strong><em>e</em>"
            "<u>f</u><font color=#FF0000>g</font>",
            300);
    const auto t = l.of(Fragment::Kind::Text);
    ASSERT_EQ(t.size(), 7u);
    const FontCache& fonts = *l.result.fonts;
    EXPECT_GT(fonts[t[1]->font].key.pixelSize, fonts[t[0]->font].key.pixelSize);
    EXPECT_LT(fonts[t[2]->font].key.pixelSize, fonts[t[0]->font].key.pixelSize);
    EXPECT_EQ(fonts[t[0]->font].key.pixelSize, 13);  // 10 pt at 96 dpi
    EXPECT_TRUE(fonts[t[3]->font].key.bold);
    EXPECT_TRUE(fonts[t[4]->font].key.italic);
    EXPECT_TRUE(fonts[t[5]->font].key.underline);
    EXPECT_EQ(t[6]->color, qRgb(255, 0, 0));
    EXPECT_EQ(fonts[t[0]->font].key.family, "Arial");
}

TEST(Layout, ListsIndentAndMarkTheirItems) {
    const auto l =
        Lay("<ol start=3 type=1><li>x</li><li>y</li></ol><ul type=disc><li>z</li></ul>", 300);
    const auto numbers = l.of(Fragment::Kind::Number);
    ASSERT_EQ(numbers.size(), 2u);
    EXPECT_EQ(numbers[0]->text, "3.");
    EXPECT_EQ(numbers[1]->text, "4.");
    const auto text = l.of(Fragment::Kind::Text);
    ASSERT_EQ(text.size(), 3u);
    EXPECT_EQ(text[0]->rect.left(), 40);
    EXPECT_LE(numbers[0]->rect.right(), 40 - 4);
    EXPECT_EQ(numbers[0]->baseline, text[0]->baseline);
    const auto discs = l.of(Fragment::Kind::Disc);
    ASSERT_EQ(discs.size(), 1u);
    EXPECT_EQ(text[2]->rect.left(), 40);
    EXPECT_LT(discs[0]->rect.right(), 40);
    EXPECT_GT(discs[0]->rect.top(), text[2]->rect.top());
    EXPECT_LT(discs[0]->rect.bottom(), text[2]->baseline + 1);
}

TEST(Layout, LineBreaksMakeEmptyLinesOfTextHeight) {
    const auto a = Lay("a<br>b", 300);
    const auto b = Lay("a<br><br>b", 300);
    const auto one = a.of(Fragment::Kind::Text);
    const auto two = b.of(Fragment::Kind::Text);
    ASSERT_EQ(one.size(), 2u);
    ASSERT_EQ(two.size(), 2u);
    const float line = one[1]->rect.top() - one[0]->rect.top();
    EXPECT_GT(line, 10);
    EXPECT_EQ(two[1]->rect.top() - two[0]->rect.top(), 2 * line);
}

TEST(Layout, AnchorsRecordTheirTop) {
    const auto l =
        Lay("<a name=\"top\" id=\"top\"></a><img src=w1h500><br><a id=far>x</a>", 300, {}, 2);
    EXPECT_EQ(l.result.anchors.value("top", -1), 2);
    EXPECT_EQ(l.result.anchors.value("far", -1), 502);
}

TEST(Layout, LinksAreRecordedOnTheirTextAndImages) {
    const auto l = Lay("<a href=\"linkPage4\"><img src=w8h8></a> <a href=mailto:x@y>mail</a>", 300);
    ASSERT_EQ(l.result.links.size(), 2u);
    EXPECT_EQ(l.result.links[static_cast<std::size_t>(l.image("w8h8").link)], "linkPage4");
    const auto text = l.of(Fragment::Kind::Text);
    ASSERT_EQ(text.size(), 2u);
    EXPECT_EQ(text[0]->text, " ");  // the space between the links belongs to neither
    EXPECT_EQ(text[0]->link, -1);
    EXPECT_FALSE(text[0]->underline);
    EXPECT_EQ(text[1]->text, "mail");
    EXPECT_EQ(l.result.links[static_cast<std::size_t>(text[1]->link)], "mailto:x@y");
    EXPECT_TRUE(text[1]->underline);
}

TEST(Layout, UnderlineStopsAtTheLastUnderlinedWord) {
    const auto l = Lay("an <u>underlined</u> word and <u>two words</u>", 300);
    const auto text = l.of(Fragment::Kind::Text);
    ASSERT_EQ(text.size(), 4u);
    EXPECT_EQ(text[0]->text, "an ");
    EXPECT_EQ(text[1]->text, "underlined");
    EXPECT_TRUE(text[1]->underline);
    EXPECT_EQ(text[2]->text, " word and ");
    EXPECT_FALSE(text[2]->underline);
    EXPECT_EQ(text[3]->text, "two words");
    EXPECT_EQ(text[1]->rect.right(), text[2]->rect.left());
}

TEST(Layout, HeadContentIsNotShown) {
    const auto l = Lay(
        "<html><head><title>Title</title><style>p{}</style></head><body>Body</body></html>", 300);
    const auto text = l.of(Fragment::Kind::Text);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0]->text, "Body");
}

TEST(Layout, BodyBackgroundIsImageZeroAndNotLaidOut) {
    auto l = Lay("<body background=\"gifAboutDV\" bgcolor=#CFEEF3><img src=s></body>", 300);
    ASSERT_EQ(l.sources.size(), 2u);
    EXPECT_EQ(l.sources[0], "gifAboutDV");
    EXPECT_EQ(l.of(Fragment::Kind::Image).size(), 1u);
    EXPECT_TRUE(l.result.hasBackground);
    EXPECT_EQ(l.result.background, qRgb(0xCF, 0xEE, 0xF3));
}

TEST(Layout, SelectionTextFollowsTheRuns) {
    const auto l = Lay("<p>Hello world</p><p>Second&nbsp;line</p>", 300);
    EXPECT_EQ(TextBetween(l.result, 0, l.result.textLength), "Hello world\nSecond line");
    EXPECT_EQ(TextBetween(l.result, 6, 8), "wo");
    const auto text = l.of(Fragment::Kind::Text);
    const int at = TextPositionAt(l.result, text[0]->rect.topLeft() + QPointF(1, 2), false);
    EXPECT_EQ(at, 0);
    EXPECT_EQ(TextPositionAt(l.result, QPointF(299, 1000), false), -1);
    EXPECT_EQ(TextPositionAt(l.result, QPointF(299, 1000), true), l.result.textLength);
}

}  // namespace
}  // namespace dorvane::htmlview
