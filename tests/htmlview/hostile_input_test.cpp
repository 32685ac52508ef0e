// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile and random input: the parser and the layout must neither crash nor hang, and
// their output stays bounded. Runs under the sanitizers in the ASan build.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>
#include <random>

#include "htmlview/html_view.h"
#include "htmlview/painter.h"
#include "test_support.h"

namespace dorvane::htmlview {
namespace {

LayoutResult LayBytes(const QByteArray& bytes, int width, Document* keep = nullptr) {
    test::EnsureApplication();
    Document doc = ParseHtmlBytes(bytes, 238);
    int bg = -1;
    std::vector<int> controls;
    NumberObjects(doc, &bg, &controls);
    LayoutOptions o;
    o.imageSize = [](int i) { return i % 3 == 0 ? QSize() : QSize(i % 50, i % 70); };
    o.controlSize = [](int, const QFont&) { return QSizeF(50, 20); };
    LayoutResult r = LayoutDocument(doc, width, o);
    if (keep) *keep = std::move(doc);
    return r;
}

void Paint(const LayoutResult& r) {
    QImage img(200, 200, QImage::Format_RGB32);
    QPainter p(&img);
    PaintOptions o;
    PaintLayout(p, r, o, QRectF(0, 0, 200, 200));
}

TEST(HostileInput, RandomBytes) {
    std::mt19937 rng(20240601);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes(int(rng() % 3000), '\0');
        for (char& c : bytes) c = char(rng());
        const LayoutResult r = LayBytes(bytes, int(rng() % 600));
        EXPECT_GE(r.height, 0);
        Paint(r);
    }
}

TEST(HostileInput, RandomTagSoup) {
    static const char* kPieces[] = {"<p>",
                                    "</p>",
                                    "<div align=center>",
                                    "</div>",
                                    "<table width=50% border=1 cellpadding=3>",
                                    "</table>",
                                    "<tr>",
                                    "</tr>",
                                    "<td colspan=3 width=40>",
                                    "<td width=\"120%\">",
                                    "</td>",
                                    "<ul>",
                                    "<ol start=-5 type=I>",
                                    "<li>",
                                    "</ul>",
                                    "<br>",
                                    "<img src=a width=100000>",
                                    "<img src=b height=-3 border=9>",
                                    "<input type=text size=99999 maxlength=-1>",
                                    "<input type=checkbox>",
                                    "<font size=+9 color=#zzz>",
                                    "</font>",
                                    "<a href=x name=y>",
                                    "</a>",
                                    "word ",
                                    "longerword",
                                    "&nbsp;",
                                    "&#x110000;",
                                    "&#187;",
                                    "<!--",
                                    "-->",
                                    "<pre>",
                                    "\n\t x",
                                    "</pre>",
                                    "<hr width=0>",
                                    "<center>",
                                    "<",
                                    ">",
                                    "\"",
                                    "'",
                                    "=",
                                    "<td",
                                    "<tbody>",
                                    "<th>",
                                    "<h1>",
                                    "</h1>",
                                    "<body background=q bgcolor=red>",
                                    "<colspan>"};
    std::mt19937 rng(7);
    for (int round = 0; round < 150; ++round) {
        QByteArray html;
        const int n = int(rng() % 400);
        for (int i = 0; i < n; ++i) html += kPieces[rng() % std::size(kPieces)];
        for (int width : {0, 1, 97, 385, 529}) {
            const LayoutResult r = LayBytes(html, width);
            EXPECT_GE(r.height, 0);
            EXPECT_LT(r.height, 1e7);
            if (width == 385) Paint(r);
        }
    }
}

TEST(HostileInput, TenThousandNestedDivsAndTables) {
    QByteArray divs = "<body>";
    for (int i = 0; i < 10000; ++i) divs += "<div>";
    divs += "bottom";
    for (int i = 0; i < 10000; ++i) divs += "</div>";
    LayoutResult r = LayBytes(divs, 385);
    ASSERT_EQ(r.fragments.size(), 1u);
    EXPECT_EQ(r.fragments[0].text, "bottom");

    QByteArray tables;
    for (int i = 0; i < 10000; ++i) tables += "<table border=1 cellpadding=2><tr><td>";
    tables += "inside";
    for (int i = 0; i < 10000; ++i) tables += "</td></tr></table>";
    tables += "after";
    r = LayBytes(tables, 385);
    EXPECT_GT(r.height, 0);
    Paint(r);

    QByteArray unclosed;
    for (int i = 0; i < 10000; ++i) unclosed += "<table><td><ul><li><font size=+1><b>";
    r = LayBytes(unclosed + "x", 385);
    EXPECT_GE(r.height, 0);
}

TEST(HostileInput, FiveMegabyteDocument) {
    QByteArray big;
    big.reserve(5 * 1024 * 1024 + 100);
    int i = 0;
    while (big.size() < 5 * 1024 * 1024)
        big += "<p>Paragraph " + QByteArray::number(i++) +
               " with <b>bold</b> and <a href=x>a link</a> and a picture <img src=s width=10 "
               "height=10>"
               " and enough words to wrap around the line once or twice at this width.</p>\n";
    Document doc;
    const LayoutResult r = LayBytes(big, 385, &doc);
    EXPECT_GT(r.height, 100000);
    EXPECT_LE(doc.nodes.size(), 1'100'000u);  // the node cap keeps memory bounded
    // One long run with no spaces at all.
    const LayoutResult word = LayBytes(QByteArray(2 * 1024 * 1024, 'x'), 385);
    EXPECT_GT(word.fragments.size(), 1000u);
}

std::vector<QString> TextsOf(const LayoutResult& r, Fragment::Kind kind) {
    std::vector<QString> out;
    for (const Fragment& f : r.fragments)
        if (f.kind == kind) out.push_back(f.text);
    return out;
}

int PixelSizeOf(const LayoutResult& r, const QString& text) {
    for (const Fragment& f : r.fragments)
        if (f.kind == Fragment::Kind::Text && f.text.trimmed() == text)
            return (*r.fonts)[f.font].key.pixelSize;
    ADD_FAILURE() << "no text " << text.toStdString();
    return 0;
}

// Numbers that overflowed, and the documents that took quadratic time, at a size that
// shows the result (bench/htmlview times them at 16 MB).
TEST(HostileInput, ExtremeNumbersAndLongTagsGiveSensibleResults) {
    QByteArray attributes = "<p";
    for (int i = 0; i < 20000; ++i)
        attributes += " a" + QByteArray::number(i) + "=\"v" + QByteArray::number(i) + "\"";
    QByteArray inputs = "<form>";
    for (int i = 0; i < 3000; ++i) inputs += "<input type=text name=g>";

    using Check = std::function<void(const Document&, const LayoutResult&)>;
    const struct {
        const char* name;
        QByteArray html;
        Check check;
    } cases[] = {
        {"font size step", "<font size=\"+2147483647\">huge</font> <font size=7>seven</font>",
         [](const Document&, const LayoutResult& r) {
             EXPECT_EQ(PixelSizeOf(r, "huge"), PixelSizeOf(r, "seven"));
         }},
        {"list start", "<ol start=\"2147483647\"><li>a<li>b</ol>",
         [](const Document&, const LayoutResult& r) {
             const std::vector<QString> labels = TextsOf(r, Fragment::Kind::Number);
             ASSERT_EQ(labels.size(), 2u);
             const qint64 first = labels[0].chopped(1).toLongLong();
             EXPECT_GT(first, 0);
             EXPECT_EQ(labels[1].toStdString(), std::to_string(first + 1) + ".");
         }},
        {"many quoted attributes", attributes + ">after</p>",
         [](const Document& d, const LayoutResult& r) {
             const std::vector<int> paragraphs = d.all(Tag::P);
             ASSERT_EQ(paragraphs.size(), 1u);
             const Node& p = d[paragraphs[0]];
             EXPECT_EQ(p.attr("a0"), "v0");
             EXPECT_EQ(p.attr("a63"), "v63");
             EXPECT_TRUE(p.attr("a64").isNull());  // the rest are read and dropped
             EXPECT_EQ(TextsOf(r, Fragment::Kind::Text), std::vector<QString>{"after"});
         }},
        {"many form inputs", inputs + "end",
         [](const Document& d, const LayoutResult& r) {
             EXPECT_EQ(d.all(Tag::Input).size(), 3000u);
             EXPECT_EQ(TextsOf(r, Fragment::Kind::Control).size(), kMaxFormControls);
             EXPECT_EQ(TextsOf(r, Fragment::Kind::Text).back().trimmed(), "end");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Document doc;
        const LayoutResult r = LayBytes(c.html, 385, &doc);
        c.check(doc, r);
    }
}

TEST(HostileInput, ViewSurvivesHostilePagesAndImages) {
    test::EnsureApplication();
    HtmlView view;
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(385, 300);
    view.show();
    std::mt19937 rng(99);
    view.OnImageRequest = [&rng](HtmlView&, const QString&) {
        QByteArray junk(int(rng() % 100), '\0');
        for (char& c : junk) c = char(rng());
        return rng() % 2 ? QByteArray("GIF89a") + junk : junk;
    };
    for (int round = 0; round < 20; ++round) {
        QByteArray html = "<img src=a" + QByteArray::number(round) + " width=100000 height=3>";
        for (int i = 0; i < 200; ++i) html += char(rng() % 2 ? '<' : char(rng()));
        view.loadFromString(html);
        view.positionTo("#top");
        view.repaint();
    }
    SUCCEED();
}

}  // namespace
}  // namespace dorvane::htmlview
