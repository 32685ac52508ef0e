// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/link_commands.h"

#include <gtest/gtest.h>

#include "pages/page_images.h"

using namespace dorvane::pages;

TEST(ParseLinkTarget, CommandsInAnyLetterCase) {
    struct Row {
        const char* target;
        LinkCommand command;
    };
    const Row rows[] = {
        {"http://example.org/resources.htm#top", {LinkKind::Web}},
        {"HTTPS://EXAMPLE.ORG", {LinkKind::Web}},
        {"mailto:support@example.org", {LinkKind::Web}},
        {"MailTo:x", {LinkKind::Web}},
        {"linkPage2", {LinkKind::Page, 2}},
        {"LINKPAGE4", {LinkKind::Page, 4}},
        {"linkpage7", {LinkKind::Page, 7}},
        {"linkPage4extra", {LinkKind::Page, 4}},  // only the 9th character counts
        {"linkPage0", {}},
        {"linkPage8", {}},
        {"linkPage", {}},
        {"linkPageX", {}},
        {"findPic", {LinkKind::FindPicture}},
        {"saveProject", {LinkKind::SaveProject}},
        {"SAVEPROJECT", {LinkKind::SaveProject}},
        {"SaveProject", {LinkKind::SaveProject}},
        {"saveProject2", {}},  // further characters after a command run nothing
        {"preview", {LinkKind::Preview}},
        {"loadProject", {LinkKind::LoadProject}},
        {"deleteProject", {LinkKind::DeleteProject}},
        {"setbackground", {LinkKind::SetBackground}},
        {"Credits", {LinkKind::Credits}},
        {"", {}},
        {"#top", {}},
    };
    for (const Row& r : rows) EXPECT_EQ(ParseLinkTarget(r.target), r.command) << r.target;
}

TEST(RunLinkCommand, WebLinksOpenAsWrittenAndCommandsDispatch) {
    std::vector<std::string> log;
    LinkActions a;
    a.openLink = [&](const std::string& t) { log.push_back("open " + t); };
    a.showPage = [&](int p) { log.push_back("page " + std::to_string(p)); };
    a.findPicture = [&] { log.push_back("find"); };
    a.setBackground = [&] { log.push_back("background"); };
    RunLinkCommand("Http://Example.org/Page", a);
    RunLinkCommand("linkPage3", a);
    RunLinkCommand("FindPic", a);
    RunLinkCommand("setBackground", a);
    RunLinkCommand("saveProject", a);  // no action given: nothing happens
    RunLinkCommand("nothing", a);
    EXPECT_EQ(log, (std::vector<std::string>{"open Http://Example.org/Page", "page 3", "find",
                                             "background"}));
}

TEST(PageImages, ResourceTypeFromTheFirstThreeCharacters) {
    EXPECT_EQ(ImageResourceType("gifClickSave_up"), "GIF");
    EXPECT_EQ(ImageResourceType("GIFBar"), "GIF");
    EXPECT_EQ(ImageResourceType("bmpClickSave_down"), "BITMAP");
    EXPECT_EQ(ImageResourceType("pngLogo"), "PNG");
    EXPECT_EQ(ImageResourceType("ab"), "AB");
}

TEST(PageImages, ClickImagesAndTheirPressedFaces) {
    EXPECT_TRUE(IsClickImage("gifClickSave_up"));
    EXPECT_TRUE(IsClickImage("gifCLICKContinue_up"));
    EXPECT_FALSE(IsClickImage("gifBar"));
    EXPECT_FALSE(IsClickImage("gifAboutDV"));
    EXPECT_FALSE(IsClickImage("gifClic"));
    EXPECT_EQ(PressedFaceName("gifClickSave_up"), "bmpClickSave_down");
    EXPECT_EQ(PressedFaceName("gifClickStartNow_up"), "bmpClickStartNow_down");
    EXPECT_EQ(PressedFaceName("gifClickSetBack_up"), "bmpClickSetBack_down");
    EXPECT_EQ(PressedFaceName("gif"), "bmpdown");
}
