// SPDX-License-Identifier: GPL-3.0-or-later
// Every page text shown in our HTML view the way the main window shows it: at the
// size of its view, prepared and loaded by the program's own page code. The texts must parse
// without unknown structure, find all their images, report exactly their links, fit the views that
// have no scroll bar, and the goals page must give the form controls the window reads and fills.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <map>
#include <string>
#include <vector>

#include "htmlview/html_view.h"
#include "htmlview/parser.h"
#include "pages/page_texts.h"
#include "pages/site_config.h"
#include "platform/resources.h"

namespace {

using dorvane::htmlview::HtmlView;
using dorvane::htmlview::ScrollBars;
using dorvane::htmlview::Tag;
using dorvane::platform::HasResource;
using dorvane::platform::LoadResource;

bool EnsureApplication() {
    static int argc = 1;
    static char name[] = "pages_view_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = qApp ? nullptr : new QApplication(argc, argv);
    (void)app;
    return true;
}

QByteArray Resource(const char* type, const QString& name) {
    auto bytes = LoadResource(type, name.toStdString());
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

// How a page is shown: its view's size and settings, and whether it may scroll.
struct Shown {
    const char* name;
    int width, height;
    bool scrolls;
    bool quote;
};

// Sizes of the views (page panels are 385 wide; strips are 387 wide, placed at -1).
const std::vector<Shown> kShown = {
    {"html_body_1", 529, 412, true, false},  {"html_body_21", 387, 80, false, false},
    {"html_body_22", 385, 62, false, false}, {"html_body_3", 385, 412, false, false},
    {"html_body_41", 387, 26, false, false}, {"html_body_42", 387, 78, false, false},
    {"html_body_51", 387, 25, false, false}, {"html_body_52", 387, 33, false, false},
    {"html_body_6", 385, 412, false, false}, {"html_body_7", 385, 412, false, false},
    {"html_quote_2", 144, 265, false, true}, {"html_quote_3", 144, 265, false, true},
    {"html_quote_4", 144, 265, false, true}, {"html_quote_5", 144, 265, false, true},
    {"html_quote_6", 144, 265, false, true}, {"html_quote_7", 144, 265, false, true},
};

// A view prepared by the program's own code for a page view or the quotation view,
// at the view's size; image requests go to the program's handler and are noted.
class PageView {
public:
    explicit PageView(const Shown& s) {
        view.resize(s.width, s.height);
        view.show();  // a hidden widget gets its size only when shown
        if (s.quote) {
            dorvane::pages::PrepareQuoteView(view);
        } else {
            clicks.prepare(view);
        }
        if (s.scrolls) {  // the introduction, as the page switch shows it
            view.setScrollBars(ScrollBars::Vertical);
            view.setMarginWidth(17);
        }
        QCoreApplication::processEvents();
        auto answer = view.OnImageRequest;
        view.OnImageRequest = [this, answer](HtmlView& v, const QString& name) {
            requested.push_back(name);
            return answer ? answer(v, name) : QByteArray();
        };
        dorvane::pages::LoadHtmlPage(view, s.name);
    }
    bool app = EnsureApplication();  // before the view: widgets need the application
    HtmlView view;
    dorvane::pages::LinkActions actions;
    dorvane::pages::PageClicks clicks{actions};
    std::vector<QString> requested;
};

TEST(PagesInTheView, ParseWithoutUnknownStructure) {
    for (const auto& s : kShown) {
        auto doc = dorvane::htmlview::ParseHtmlBytes(Resource("HTML", s.name), 238);
        for (const auto& node : doc.nodes) EXPECT_NE(node.tag, Tag::Unknown) << s.name;
        EXPECT_EQ(doc.all(Tag::Body).size(), 1u) << s.name;
    }
}

TEST(PagesInTheView, FindEveryImageTheyName) {
    for (const auto& s : kShown) {
        SCOPED_TRACE(s.name);
        PageView p(s);
        if (s.quote) {
            EXPECT_TRUE(p.requested.empty());
            continue;
        }
        for (const QString& name : p.requested)
            EXPECT_TRUE(HasResource("GIF", name.toStdString())) << name.toStdString();
        for (int i = 0; i < p.view.imageCount(); ++i)
            EXPECT_FALSE(p.view.image(i).bitmap.isNull()) << p.view.image(i).source.toStdString();
    }
}

// Views without a scroll bar must show their whole text; only the blank margin
// below it may be cut off.
TEST(PagesInTheView, FitTheirViews) {
    for (const auto& s : kShown) {
        if (s.scrolls) continue;
        PageView p(s);
        ASSERT_EQ(p.view.viewport()->width(), s.width) << s.name << " laid out at another width";
        int content = p.view.documentHeight() - p.view.settings().marginHeight;
        EXPECT_LE(content, s.height) << s.name;
    }
}

TEST(PagesInTheView, ReportExactlyTheirLinksOnTheirButtons) {
    const std::string web(dorvane::pages::kProductWebSite);
    const std::map<std::string, std::vector<std::string>> links = {
        {"html_body_1", {"linkPage2"}},
        {"html_body_22", {"findPic", "linkPage3"}},
        {"html_body_3", {"linkPage4"}},
        {"html_body_42", {"preview", "saveProject", "setbackground"}},
        {"html_body_52", {"loadProject", "deleteProject"}},
        {"html_body_6", {std::string(dorvane::pages::kResourcesPageUrl)}},
        {"html_body_7", {"credits", web, web, std::string(dorvane::pages::kSupportMailLink)}},
    };
    for (const auto& s : kShown) {
        auto doc = dorvane::htmlview::ParseHtmlBytes(Resource("HTML", s.name), 238);
        std::vector<std::string> found;
        for (int a : doc.all(Tag::A))
            if (doc[a].hasAttr("href")) found.push_back(doc[a].attr("href").toStdString());
        auto it = links.find(s.name);
        EXPECT_EQ(found, it == links.end() ? std::vector<std::string>{} : it->second) << s.name;
    }
    // Command links sit on the button images, whose names carry "Click".
    for (const auto& s : kShown) {
        PageView p(s);
        for (int i = 0; i < p.view.imageCount(); ++i) {
            const auto& img = p.view.image(i);
            bool button = img.source.mid(3, 5) == "Click";
            EXPECT_EQ(button, !img.link.isEmpty()) << s.name << " " << img.source.toStdString();
        }
    }
}

TEST(PagesInTheView, BodiesScrollToTheirTopAnchor) {
    for (const auto& s : kShown) {
        if (s.quote) continue;
        PageView p(s);
        bool strip = std::string(s.name) == "html_body_42" || std::string(s.name) == "html_body_52";
        EXPECT_EQ(p.view.positionTo("#top"), !strip) << s.name;
    }
}

TEST(PagesInTheView, GoalsPageGivesSevenEditsAndTheBulletsSwitch) {
    const Shown& goals = kShown[3];
    ASSERT_STREQ(goals.name, "html_body_3");
    PageView p(goals);
    for (int load = 0; load < 2; ++load) {
        const auto& controls = p.view.formControls();
        ASSERT_EQ(controls.size(), 8u);
        for (int n = 1; n <= 7; ++n) {
            const auto& c = controls[n - 1];
            EXPECT_EQ(c.name, QString("goal%1").arg(n));
            ASSERT_NE(c.edit(), nullptr);
            EXPECT_EQ(c.edit()->maxLength(), 200);
            EXPECT_TRUE(c.edit()->text().isEmpty()) << "load " << load;
            c.edit()->setText("I run three times a week.");
        }
        EXPECT_EQ(controls[7].name, "bullets");
        ASSERT_NE(controls[7].checkBox(), nullptr);
        EXPECT_FALSE(controls[7].checkBox()->isChecked());
        controls[7].checkBox()->setChecked(true);
        dorvane::pages::LoadHtmlPage(p.view, "html_body_3");  // a fresh, empty form
    }
}

}  // namespace
