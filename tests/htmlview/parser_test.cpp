// SPDX-License-Identifier: GPL-3.0-or-later
#include "htmlview/parser.h"

#include <gtest/gtest.h>

#include "htmlview/charset.h"
#include "htmlview/entities.h"

namespace dorvane::htmlview {
namespace {

// The tree as a compact string: tags in brackets, text in quotes.
QString Dump(const Document& d, int node = 0) {
    QString out;
    for (int c = d[node].firstChild; c >= 0; c = d[c].next) {
        if (d[c].isText()) {
            out += u'"' + d[c].text + u'"';
            continue;
        }
        static const char* kNames[] = {
            "#",     "?",      "root",   "a",     "b",     "big",   "blockquote", "body",
            "br",    "center", "div",    "em",    "font",  "form",  "h1",         "h2",
            "h3",    "h4",     "h5",     "h6",    "head",  "hr",    "html",       "i",
            "img",   "input",  "li",     "meta",  "ol",    "p",     "pre",        "script",
            "small", "span",   "strong", "style", "table", "tbody", "td",         "tfoot",
            "th",    "thead",  "title",  "tr",    "u",     "ul"};
        out += QLatin1String("[") + QLatin1String(kNames[int(d[c].tag)]) + Dump(d, c) + u']';
    }
    return out;
}

struct TreeCase {
    const char* html;
    const char* tree;
};

class ParserTree : public ::testing::TestWithParam<TreeCase> {};

TEST_P(ParserTree, BuildsTheTreeBrowsersBuild) {
    EXPECT_EQ(Dump(ParseHtml(QString::fromUtf8(GetParam().html))),
              QString::fromUtf8(GetParam().tree));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParserTree,
    ::testing::Values(
        TreeCase{"<P>a<p>b", "[p\"a\"][p\"b\"]"},
        TreeCase{"<ul><li>a<li>b</ul>c", "[ul[li\"a\"][li\"b\"]]\"c\""},
        TreeCase{"<ul><li>a<ol><li>b<li>c</ol></ul>", "[ul[li\"a\"[ol[li\"b\"][li\"c\"]]]]"},
        TreeCase{"<table><tr><td>a<td>b<tr><td>c</table>",
                 "[table[tr[td\"a\"][td\"b\"]][tr[td\"c\"]]]"},
        TreeCase{"<table><td>a</table>", "[table[tr[td\"a\"]]]"},
        TreeCase{"<table><tbody><tr><td>a</td></tr></tbody></table>",
                 "[table[tbody[tr[td\"a\"]]]]"},
        TreeCase{"<p>a<table><tr><td>b</table>", "[p\"a\"][table[tr[td\"b\"]]]"},
        TreeCase{"<b>a</i>b</b>c", "[b\"ab\"]\"c\""}, TreeCase{"</p></td></table>x", "\"x\""},
        TreeCase{"<td>a</td>", "\"a\""}, TreeCase{"<blink>a</blink>b", "\"ab\""},
        TreeCase{"a<!-- <b>no</b> -->b", "\"ab\""},
        TreeCase{"<!DOCTYPE html PUBLIC \"x\"><?xml version=\"1.0\"?>a", "\"a\""},
        TreeCase{"<b><table><tr><td></b>x</td></tr></table>", "[b[table[tr[td\"x\"]]]]"},
        TreeCase{"a<br>b<br/>c<BR />d", "\"a\"[br]\"b\"[br]\"c\"[br]\"d\""},
        TreeCase{"<script>if (a < b) document.write('<p>')</script>x", "[script]\"x\""},
        TreeCase{"<html><head><title>T</title></head><body>x</body></html>",
                 "[html[head[title\"T\"]][body\"x\"]]"},
        TreeCase{"<body>a</body>b", "[body\"ab\"]"}, TreeCase{"a < b", "\"a < b\""},
        TreeCase{"<div><p>a</div>b", "[div[p\"a\"]]\"b\""}));

TEST(Parser, ReadsAttributesInAnyCaseQuotedOrBare) {
    const Document d = ParseHtml(
        "<IMG SRC=gifBar Width='376' height=\"7\" border=0 ALT=\"a &amp; b\"><input checked>");
    const Node& img = d[d[0].firstChild];
    EXPECT_EQ(img.tag, Tag::Img);
    EXPECT_EQ(img.attr("src"), "gifBar");
    EXPECT_EQ(img.attr("width"), "376");
    EXPECT_EQ(img.attr("height"), "7");
    EXPECT_EQ(img.attr("border"), "0");
    EXPECT_EQ(img.attr("alt"), "a & b");
    EXPECT_TRUE(img.attr("title").isNull());
    const Node& input = d[img.next];
    EXPECT_TRUE(input.hasAttr("checked"));
    EXPECT_EQ(input.attr("checked"), "");
}

TEST(Parser, SurvivesBrokenAttributes) {
    const Document d = ParseHtml("<a href=\"linkPage2>text</a><p align=>b</p><img src=\"x\"\"\"y>");
    // An unterminated quote runs on to the next quote, as in browsers; nothing is lost
    // beyond that tag and the rest still parses.
    ASSERT_GE(d.nodes.size(), 2u);
    EXPECT_TRUE(d[d[0].firstChild].attr("href").startsWith("linkPage2>text"));
}

TEST(Parser, DeepNestingIsFlattenedNotRefused) {
    QString html;
    for (int i = 0; i < 500; ++i) html += "<div>";
    html += "deep";
    const Document d = ParseHtml(html, ParseLimits{50, 1000});
    int depth = 0;
    int node = 0;
    while (d[node].firstChild >= 0 && !d[d[node].firstChild].isText()) {
        node = d[node].firstChild;
        ++depth;
    }
    EXPECT_LE(depth, 51);
    EXPECT_EQ(d[d[node].firstChild].text, "deep");
}

TEST(Entities, ResolvesNamedAndNumericReferences) {
    EXPECT_EQ(ResolveEntities("&laquo;a&raquo; &copy;&nbsp;x"),
              QString::fromUtf8("\u00ABa\u00BB \u00A9\u00A0x"));
    EXPECT_EQ(ResolveEntities("&#187;&#xBB;&#XBB;"), QString::fromUtf8("\u00BB\u00BB\u00BB"));
    EXPECT_EQ(ResolveEntities("&lt;b&gt; &amp; &quot;"), "<b> & \"");
    EXPECT_EQ(ResolveEntities("&unknown; & &#; &#xZZ;"), "&unknown; & &#; &#xZZ;");
    EXPECT_EQ(ResolveEntities("&#0;&#99999999;&#xD800;"), QString::fromUtf8("\uFFFD\uFFFD\uFFFD"));
}

TEST(Charset, DecodesWhatThePageDeclares) {
    // 0xB9 is s caron in ISO-8859-2, a ogonek in Windows-1250, superscript one in 1252;
    // 0xBB is t caron in ISO-8859-2 and the closing guillemet in the Windows sets.
    const QByteArray body = "<p>\xB9 \xBB</p>";
    const QByteArray latin2 =
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\" />" + body;
    EXPECT_TRUE(DecodePage(latin2, 0).endsWith(QString::fromUtf8("\u0161 \u0165</p>")));
    EXPECT_TRUE(DecodePage("<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?>" + body, 0)
                    .endsWith(QString::fromUtf8("\u0161 \u0165</p>")));
    EXPECT_EQ(DecodePage(body, 0), QString::fromUtf8("<p>\u00B9 \u00BB</p>"));
    EXPECT_EQ(DecodePage(body, 238), QString::fromUtf8("<p>\u0105 \u00BB</p>"));
    EXPECT_EQ(DecodePage("\xEF\xBB\xBF<p>\xC2\xBB</p>", 238), QString::fromUtf8("<p>\u00BB</p>"));
    EXPECT_EQ(DecodePage("<meta charset=\"utf-8\">\xC2\xBB", 0).right(1),
              QString::fromUtf8("\u00BB"));
}

TEST(Charset, ParsesEntitiesIndependentlyOfTheCharset) {
    const Document d =
        ParseHtmlBytes("<meta charset=iso-8859-2><body>&raquo;\xBB&laquo;</body>", 238);
    EXPECT_EQ(d[d.body()].firstChild >= 0 ? d[d[d.body()].firstChild].text : QString(),
              QString::fromUtf8("\u00BB\u0165\u00AB"));
}

}  // namespace
}  // namespace dorvane::htmlview
