// SPDX-License-Identifier: GPL-3.0-or-later
// The page texts as stored: strict XHTML in the small vocabulary the HTML view
// renders, with exactly the links, anchors, images and form fields the program
// relies on, and the web addresses of the one place that configures them.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "pages/link_commands.h"
#include "pages/site_config.h"
#include "platform/resources.h"
#include "xhtml_tree.h"

namespace {

using dorvane::platform::HasResource;
using dorvane::platform::LoadResource;
using dorvane::test::ParseXhtml;
using dorvane::test::XDocument;
using dorvane::test::XNode;
namespace site = dorvane::pages;

const std::vector<std::string> kBodies = {
    "html_body_1",  "html_body_21", "html_body_22", "html_body_3", "html_body_41",
    "html_body_42", "html_body_51", "html_body_52", "html_body_6", "html_body_7"};
const std::vector<std::string> kQuotes = {"html_quote_2", "html_quote_3", "html_quote_4",
                                          "html_quote_5", "html_quote_6", "html_quote_7"};

std::vector<std::string> AllPages() {
    std::vector<std::string> all = kBodies;
    all.insert(all.end(), kQuotes.begin(), kQuotes.end());
    return all;
}

std::string Source(const std::string& name) {
    auto bytes = LoadResource("HTML", name);
    return std::string(bytes.begin(), bytes.end());
}

XDocument Parse(const std::string& name) {
    return ParseXhtml(Source(name));
}

const XNode& Body(const XDocument& doc) {
    auto bodies = doc.root->All("body");
    if (bodies.size() != 1) throw std::runtime_error("not one body");
    return *bodies.front();
}

// Elements the view renders, with the attributes it reads. "alt" and "action" are
// required by XHTML and ignored by the view; html/head/meta/title carry nothing.
const std::map<std::string, std::set<std::string>> kVocabulary = {
    {"html", {"xmlns"}},
    {"head", {}},
    {"meta", {"http-equiv", "content"}},
    {"title", {}},
    {"body", {"background"}},
    {"a", {"href", "name", "id"}},
    {"p", {"align"}},
    {"div", {"align"}},
    {"br", {}},
    {"strong", {}},
    {"em", {}},
    {"u", {}},
    {"li", {}},
    {"font", {"size", "color"}},
    {"img", {"src", "width", "height", "border", "align", "alt"}},
    {"table", {"width", "align", "bgcolor", "border", "cellpadding", "cellspacing"}},
    {"tr", {}},
    {"td", {"width", "valign", "align", "colspan"}},
    {"ol", {"start", "type"}},
    {"ul", {"type"}},
    {"form", {"id", "name", "action"}},
    {"input", {"type", "name", "id", "size", "maxlength"}},
};

TEST(PageTexts, AreStrictXhtmlTransitionalInIso88592) {
    for (const auto& name : AllPages()) {
        SCOPED_TRACE(name);
        std::string src = Source(name);
        XDocument doc;
        ASSERT_NO_THROW(doc = ParseXhtml(src));
        EXPECT_NE(doc.doctype.find("-//W3C//DTD XHTML 1.0 Transitional//EN"), std::string::npos);
        auto metas = doc.root->All("meta");
        ASSERT_EQ(metas.size(), 1u);
        EXPECT_EQ(metas[0]->Attr("content"), "text/html; charset=iso-8859-2");
        for (unsigned char c : src) EXPECT_LT(c, 0x80) << "write non-ASCII as an entity";
    }
}

TEST(PageTexts, UseOnlyWhatTheViewRenders) {
    const std::set<std::string> entities = {"&nbsp;", "&laquo;", "&raquo;", "&copy;"};
    for (const auto& name : AllPages()) {
        SCOPED_TRACE(name);
        XDocument doc = Parse(name);
        for (const XNode* e : doc.root->All()) {
            auto known = kVocabulary.find(e->name);
            ASSERT_NE(known, kVocabulary.end()) << "<" << e->name << ">";
            for (const auto& [key, value] : e->attrs)
                EXPECT_TRUE(known->second.count(key)) << "<" << e->name << " " << key << ">";
        }
        for (const auto& ent : doc.entities)
            EXPECT_TRUE(entities.count(ent) || ent.rfind("&#", 0) == 0) << ent;
    }
}

// Page images are requested by name; the first three letters choose the type.
TEST(PageTexts, NameOnlyImagesThatExist) {
    for (const auto& name : AllPages()) {
        SCOPED_TRACE(name);
        XDocument doc = Parse(name);
        std::vector<std::string> sources;
        for (const XNode* img : doc.root->All("img")) sources.push_back(img->Attr("src"));
        std::string background = Body(doc).Attr("background");
        if (!background.empty()) sources.push_back(background);
        for (const auto& src : sources) {
            EXPECT_EQ(src.substr(0, 3), "gif") << src;
            EXPECT_TRUE(HasResource("GIF", src)) << src;
        }
        if (name.rfind("html_quote", 0) == 0) {
            EXPECT_TRUE(sources.empty());
        }
    }
}

TEST(PageTexts, BodiesStartWithTheTopAnchorExceptTheTwoStrips) {
    for (const auto& name : kBodies) {
        SCOPED_TRACE(name);
        XDocument doc = Parse(name);
        const XNode* first = nullptr;
        for (const auto& c : Body(doc).children)
            if (!c->IsText()) {
                first = c.get();
                break;
            }
        ASSERT_NE(first, nullptr);
        bool strip = name == "html_body_42" || name == "html_body_52";
        bool anchored = first->name == "a" && first->Attr("name") == "top" &&
                        first->Attr("id") == "top" && !first->Has("href");
        EXPECT_EQ(anchored, !strip);
    }
}

// The links of every text, in document order, and the image each link shows.
TEST(PageTexts, CarryExactlyTheirLinks) {
    const std::string web(site::kProductWebSite), mail(site::kSupportMailLink);
    const std::map<std::string, std::vector<std::pair<std::string, std::string>>> expected = {
        {"html_body_1", {{"linkPage2", "gifClickStartNow_up"}}},
        {"html_body_22",
         {{"findPic", "gifClickFindImage_up"}, {"linkPage3", "gifClickContinue_up"}}},
        {"html_body_3", {{"linkPage4", "gifClickContinue_up"}}},
        {"html_body_42",
         {{"preview", "gifClickPreview_up"},
          {"saveProject", "gifClickSave_up"},
          {"setbackground", "gifClickSetBack_up"}}},
        {"html_body_52",
         {{"loadProject", "gifClickLoad_up"}, {"deleteProject", "gifClickDelete_up"}}},
        {"html_body_6", {{std::string(site::kResourcesPageUrl), ""}}},
        {"html_body_7", {{"credits", ""}, {web, ""}, {web, ""}, {mail, ""}}},
    };
    for (const auto& name : AllPages()) {
        SCOPED_TRACE(name);
        XDocument doc = Parse(name);
        std::vector<std::pair<std::string, std::string>> links;
        for (const XNode* a : doc.root->All("a")) {
            if (!a->Has("href")) continue;
            auto imgs = a->All("img");
            links.emplace_back(a->Attr("href"), imgs.empty() ? "" : imgs[0]->Attr("src"));
        }
        auto it = expected.find(name);
        EXPECT_EQ(links, it == expected.end() ? decltype(links){} : it->second);
    }
}

// Button images are shown at their own size, except where the pages fit the two
// slightly larger ones into 80 x 21.
TEST(PageTexts, ShowButtonImagesAtTheirSizes) {
    const std::map<std::string, std::string> size = {{"gifClickStartNow_up", "140x31"},
                                                     {"gifClickFindImage_up", "80x21"},
                                                     {"gifClickContinue_up", "80x21"},
                                                     {"gifClickPreview_up", "81x21"},
                                                     {"gifClickSave_up", "81x21"},
                                                     {"gifClickSetBack_up", "121x21"},
                                                     {"gifClickLoad_up", "81x21"},
                                                     {"gifClickDelete_up", "80x20"},
                                                     {"gifBar", "376x7"}};
    for (const auto& name : kBodies) {
        XDocument doc = Parse(name);
        for (const XNode* img : doc.root->All("img")) {
            std::string src = img->Attr("src");
            if (src == "gifSpacer") continue;
            auto it = size.find(src);
            ASSERT_NE(it, size.end()) << name << " shows " << src;
            EXPECT_EQ(img->Attr("width") + "x" + img->Attr("height"), it->second)
                << name << " " << src;
            if (img->Inside("a")) {
                EXPECT_EQ(img->Attr("border"), "0") << name << " " << src;
            }
        }
    }
}

std::string Heading(const XNode& body) {
    for (const XNode* s : body.All("strong"))
        for (const XNode* f : s->All("font"))
            if (f->Attr("size") == "+1") return f->InnerText();
    return {};
}

TEST(PageTexts, HeadingsAreTheProgramsOwn) {
    const std::map<std::string, std::string> headings = {
        {"html_body_21", "Choose background image"},
        {"html_body_3", "Write down your goals"},
        {"html_body_41", "Preview"},
        {"html_body_51", "Load saved work"},
        {"html_body_6", "Additional resources"},
        {"html_body_7", "Dorvane"}};
    for (const auto& [name, heading] : headings) {
        XDocument doc = Parse(name);
        EXPECT_EQ(Heading(Body(doc)), heading) << name;
    }
    XDocument aboutDoc = Parse("html_body_7");
    std::string about = Body(aboutDoc).InnerText();
    EXPECT_NE(about.find("Version 1.0"), std::string::npos);
    EXPECT_NE(about.find("Technical support"), std::string::npos);
    EXPECT_NE(Source("html_body_3").find("Write down your goals (minimum 1 and  maximum 7):"),
              std::string::npos);
}

// Each link is a command the program carries out (compared in upper case), and a
// page link names a page that exists.
TEST(PageTexts, EveryLinkIsACommandOfTheProgram) {
    using dorvane::pages::LinkKind;
    const std::map<std::string, std::vector<LinkKind>> kinds = {
        {"html_body_1", {LinkKind::Page}},
        {"html_body_22", {LinkKind::FindPicture, LinkKind::Page}},
        {"html_body_3", {LinkKind::Page}},
        {"html_body_42", {LinkKind::Preview, LinkKind::SaveProject, LinkKind::SetBackground}},
        {"html_body_52", {LinkKind::LoadProject, LinkKind::DeleteProject}},
        {"html_body_6", {LinkKind::Web}},
        {"html_body_7", {LinkKind::Credits, LinkKind::Web, LinkKind::Web, LinkKind::Web}},
    };
    std::vector<int> pages;
    for (const auto& [name, expected] : kinds) {
        XDocument doc = Parse(name);
        std::vector<LinkKind> found;
        for (const XNode* a : doc.root->All("a")) {
            if (!a->Has("href")) continue;
            auto command = dorvane::pages::ParseLinkTarget(a->Attr("href"));
            found.push_back(command.kind);
            if (command.kind == LinkKind::Page) pages.push_back(command.page);
        }
        EXPECT_EQ(found, expected) << name;
    }
    // The introduction leads to page 2, the gallery to page 3, the goals to page 4.
    EXPECT_EQ(pages, (std::vector<int>{2, 3, 4}));  // pages 1, 2 (html_body_22) and 3
}

// The address (URL, host or e-mail) that contains the character at `at`.
std::string AddressAround(const std::string& s, size_t at) {
    auto part = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || std::strchr(".:/@#_-", c);
    };
    size_t b = at, e = at;
    while (b > 0 && part(s[b - 1])) --b;
    while (e < s.size() && part(s[e])) ++e;
    std::string word = s.substr(b, e - b);
    while (!word.empty() && word.back() == '.') word.pop_back();  // end of a sentence
    return word;
}

// The site's addresses are configured in one place; the texts must not drift from it.
TEST(SiteConfig, AddressesAgreeWithEachOther) {
    const std::string web(site::kProductWebSite), host(site::kProductHost);
    EXPECT_EQ(web, "https://" + host + "/");
    EXPECT_EQ(std::string(site::kResourcesPageUrl), web + "resources.htm#top");
    EXPECT_EQ(std::string(site::kSupportMailLink), "mailto:" + std::string(site::kSupportEmail));
    EXPECT_NE(std::string(site::kSupportEmail).find('@'), std::string::npos);
}

TEST(SiteConfig, PagesShowOnlyTheConfiguredAddresses) {
    const std::string host(site::kProductHost), mail(site::kSupportEmail);
    const std::string domain = host.substr(host.find('.') + 1);
    const std::string page(site::kResourcesPageUrl);
    const std::set<std::string> known = {host, std::string(site::kProductWebSite),
                                         page, page.substr(0, page.find('#')),
                                         mail, std::string(site::kSupportMailLink)};
    for (const auto& name : AllPages()) {
        SCOPED_TRACE(name);
        XDocument doc = Parse(name);
        for (const XNode* a : doc.root->All("a")) {
            std::string href = a->Attr("href"), text = a->InnerText();
            // A web or mail link shows its address.
            if (href.rfind("mailto:", 0) == 0 || href.rfind("http", 0) == 0) {
                EXPECT_TRUE(known.count(text)) << text;
            }
        }
        // Every address that mentions the site's domain is a configured one.
        const std::string src = Source(name);
        for (size_t at = src.find(domain); at != std::string::npos; at = src.find(domain, at + 1)) {
            std::string word = AddressAround(src, at);
            EXPECT_TRUE(known.count(word)) << word;
        }
    }
}

}  // namespace
