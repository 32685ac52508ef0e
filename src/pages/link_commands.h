// SPDX-License-Identifier: GPL-3.0-or-later
// The links of the page texts are commands of the program ("linkPage4",
// "saveProject", …), compared in upper case; web and mail links go to the
// desktop. The handler waits for a clicked button image's pressed face first.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace dorvane::pages {

enum class LinkKind {
    Web,  // http… and mailto…: opened as written
    Page,
    FindPicture,
    SaveProject,
    Preview,
    LoadProject,
    DeleteProject,
    SetBackground,
    Credits,  // the photographs' credits (authors and licences)
    None,     // matches no row: nothing happens
};

struct LinkCommand {
    LinkKind kind = LinkKind::None;
    int page = 0;  // for Page: 1…7
    friend bool operator==(const LinkCommand&, const LinkCommand&) = default;
};

// The command of a link target. "LINKPAGE" takes its 9th character as the page
// number; a target without a page digit from 1 to 7 there does nothing.
LinkCommand ParseLinkTarget(std::string_view target);

// What the commands do; each may be empty while its page is not built.
struct LinkActions {
    std::function<void(const std::string& target)> openLink;
    std::function<void(int page)> showPage;
    std::function<void()> findPicture;
    std::function<void()> saveProject;
    std::function<void()> preview;
    std::function<void()> loadProject;
    std::function<void()> deleteProject;
    std::function<void()> setBackground;
    std::function<void()> showCredits;
};

// Runs the command of `target` (as written in the page) with `actions`.
void RunLinkCommand(const std::string& target, const LinkActions& actions);

}  // namespace dorvane::pages
