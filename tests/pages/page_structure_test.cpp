// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of the page texts that the program reads or the user depends on: the
// goal form, the introduction's rules and examples, the quotation blocks, spacers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/resources.h"
#include "xhtml_tree.h"

namespace {

using dorvane::platform::LoadResource;
using dorvane::test::ParseXhtml;
using dorvane::test::XDocument;
using dorvane::test::XNode;

XDocument Parse(const std::string& name) {
    auto bytes = LoadResource("HTML", name);
    return ParseXhtml(std::string(bytes.begin(), bytes.end()));
}

const XNode& Body(const XDocument& doc) {
    return *doc.root->All("body").at(0);
}

TEST(GoalForm, HasSevenGoalEditsAndTheBulletsSwitchInOrder) {
    XDocument doc = Parse("html_body_3");
    auto forms = doc.root->All("form");
    ASSERT_EQ(forms.size(), 1u);
    EXPECT_EQ(forms[0]->Attr("name"), "goals");
    EXPECT_EQ(forms[0]->Attr("id"), "goals");
    auto inputs = doc.root->All("input");
    ASSERT_EQ(inputs.size(), 8u);
    for (int n = 1; n <= 7; ++n) {
        const XNode& in = *inputs[n - 1];
        SCOPED_TRACE(n);
        EXPECT_TRUE(in.Inside("form"));
        EXPECT_EQ(in.Attr("type"), "text");
        EXPECT_EQ(in.Attr("name"), "goal" + std::to_string(n));
        EXPECT_EQ(in.Attr("size"), "36");
        EXPECT_EQ(in.Attr("maxlength"), "200");
    }
    EXPECT_EQ(inputs[7]->Attr("type"), "checkbox");
    EXPECT_EQ(inputs[7]->Attr("name"), "bullets");
}

// The goal number is read from the last character of an input's name.
TEST(GoalForm, EveryTextInputEndsInItsGoalNumber) {
    int n = 0;
    XDocument doc = Parse("html_body_3");
    for (const XNode* in : doc.root->All("input")) {
        if (in->Attr("type") != "text") continue;
        ++n;
        EXPECT_EQ(in->Attr("name").back(), '0' + n);
    }
    EXPECT_EQ(n, 7);
}

TEST(GoalForm, RowsAreLabelledAndTheLastRowHoldsSwitchAndContinue) {
    XDocument doc = Parse("html_body_3");
    const XNode* form = doc.root->All("form").at(0);
    auto rows = form->All("tr");
    ASSERT_EQ(rows.size(), 8u);
    for (int n = 1; n <= 7; ++n) {
        const XNode* label = rows[n - 1]->All("td").at(0);
        EXPECT_EQ(label->Attr("width"), "45");
        EXPECT_EQ(label->InnerText(), "Goal " + std::to_string(n) + ":");
        EXPECT_EQ(label->All("font").at(0)->Attr("size"), "-1");
    }
    auto last = rows[7]->All("td");
    ASSERT_EQ(last.size(), 2u);
    EXPECT_EQ(last[0]->InnerText(), "Add bullets to text");
    EXPECT_EQ(last[1]->Attr("align"), "right");
    auto imgs = last[1]->All("img");
    ASSERT_EQ(imgs.size(), 2u);
    EXPECT_EQ(imgs[0]->Attr("src"), "gifSpacer");
    EXPECT_EQ(imgs[0]->Attr("height"), "10");
}

TEST(GoalForm, ExampleLabelsItsKeyWords) {
    XDocument doc = Parse("html_body_3");
    std::vector<std::string> labels;
    for (const XNode* f : doc.root->All("font"))
        if (f->Attr("color") == "#003366") {
            EXPECT_EQ(f->Attr("size"), "-1");
            labels.push_back(f->InnerText());
        }
    EXPECT_EQ(labels, (std::vector<std::string>{"present", "specific", "measurable"}));
    int underlined = 0;
    for (const XNode* u : doc.root->All("u")) underlined += u->Inside("strong") ? 1 : 0;
    EXPECT_EQ(underlined, 3);
}

TEST(Introduction, NamesTheThreeRulesInBoldBlue) {
    XDocument doc = Parse("html_body_1");
    auto lists = doc.root->All("ol");
    ASSERT_EQ(lists.size(), 1u);
    std::vector<std::string> titles;
    for (const XNode* li : lists[0]->All("li")) {
        const XNode* title = li->All("font").at(0);
        EXPECT_EQ(title->Attr("color"), "#0000ff");
        EXPECT_TRUE(title->Inside("strong"));
        titles.push_back(title->InnerText());
    }
    EXPECT_EQ(titles,
              (std::vector<std::string>{"Measurable", "Realistic", "Written in present tense"}));
}

TEST(Introduction, HasExamplesQuotationBoxesAndARedPhraseInItsHeading) {
    XDocument doc = Parse("html_body_1");
    auto bullets = doc.root->All("ul");
    ASSERT_EQ(bullets.size(), 2u);
    for (const XNode* ul : bullets) {
        EXPECT_EQ(ul->Attr("type"), "disc");
        EXPECT_GE(ul->All("li").size(), 3u);
    }
    int boxes = 0;
    for (const XNode* t : doc.root->All("table")) {
        if (t->Attr("bgcolor") != "#CCCCCC") continue;
        ++boxes;
        EXPECT_EQ(t->Attr("width"), "370");
        EXPECT_EQ(t->Attr("align"), "center");
        EXPECT_EQ(t->Attr("cellpadding"), "6");
        std::string quote = t->All("em").at(0)->InnerText();
        EXPECT_EQ(quote.rfind("&raquo;", 0), 0u) << quote;
        EXPECT_EQ(quote.substr(quote.size() - 7), "&laquo;") << quote;
        const XNode* author = t->All("div").at(0);
        EXPECT_EQ(author->Attr("align"), "right");
        EXPECT_EQ(author->InnerText().rfind("&#8212; ", 0), 0u);
    }
    EXPECT_EQ(boxes, 2);
    int red = 0;
    for (const XNode* f : doc.root->All("font"))
        red += f->Attr("color") == "#FF0000" && f->Inside("strong") ? 1 : 0;
    EXPECT_EQ(red, 1);
    EXPECT_GE(doc.root->All("p").size(), 20u);
}

// Each quotation block: centred, the words in italics between the angle quotes,
// an empty line, the author in bold.
TEST(Quotations, AreCentredBlocksWithAnAuthor) {
    const std::vector<std::pair<std::string, size_t>> pages = {
        {"html_quote_2", 2}, {"html_quote_3", 1}, {"html_quote_4", 1},
        {"html_quote_5", 1}, {"html_quote_6", 1}, {"html_quote_7", 1}};
    for (const auto& [name, count] : pages) {
        SCOPED_TRACE(name);
        XDocument doc = Parse(name);
        auto blocks = doc.root->All("div");
        ASSERT_EQ(blocks.size(), count);
        for (const XNode* b : blocks) {
            EXPECT_EQ(b->Attr("align"), "center");
            std::string quote = b->All("em").at(0)->InnerText();
            EXPECT_EQ(quote.rfind("&raquo;", 0), 0u) << quote;
            EXPECT_EQ(quote.substr(quote.size() - 7), "&laquo;") << quote;
            EXPECT_EQ(b->All("br").size(), 2u);
            EXPECT_FALSE(b->All("strong").at(0)->InnerText().empty());
        }
    }
}

TEST(Quotations, FifthEndsWithTwoLineBreaksAndSecondSeparatesItsBlocksWithTwo) {
    auto trailingBreaks = [](const XNode& body, bool afterFirstBlock) {
        int breaks = 0;
        bool seenBlock = false;
        for (const auto& c : body.children) {
            if (c->name == "div") {
                if (seenBlock && afterFirstBlock) return breaks;
                seenBlock = true;
                breaks = 0;
            } else if (c->name == "br") {
                ++breaks;
            }
        }
        return breaks;
    };
    XDocument five = Parse("html_quote_5"), two = Parse("html_quote_2");
    EXPECT_EQ(trailingBreaks(Body(five), false), 2);
    EXPECT_EQ(trailingBreaks(Body(two), true), 2);
}

// Spacers come right after the top anchor and have the heights the layouts need.
TEST(PageTexts, OpenWithTheirSpacers) {
    const std::vector<std::pair<std::string, std::string>> spacers = {
        {"html_body_1", "1x10"}, {"html_body_21", "1x4"}, {"html_body_22", "1x3"},
        {"html_body_3", "1x4"},  {"html_body_41", "1x4"}, {"html_body_51", "1x4"},
        {"html_body_6", "1x4"}};
    for (const auto& [name, size] : spacers) {
        XDocument doc = Parse(name);
        const XNode* img = doc.root->All("img").at(0);
        EXPECT_EQ(img->Attr("src"), "gifSpacer") << name;
        EXPECT_EQ(img->Attr("width") + "x" + img->Attr("height"), size) << name;
    }
    XDocument about = Parse("html_body_7");
    EXPECT_EQ(Body(about).Attr("background"), "gifAboutDV");
    const XNode* gap = about.root->All("img").at(0);
    EXPECT_EQ(gap->Attr("width") + "x" + gap->Attr("height"), "10x3");
}

// The offline resources page: one paragraph that leads to the web page.
TEST(OfflineResources, OneParagraphCarriesTheLink) {
    XDocument doc = Parse("html_body_6");
    auto paragraphs = doc.root->All("p");
    ASSERT_EQ(paragraphs.size(), 1u);
    auto links = paragraphs[0]->All("a");
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0]->Attr("href").rfind("http", 0), 0u);
}

}  // namespace
