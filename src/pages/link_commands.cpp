// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/link_commands.h"

#include <array>
#include <utility>

#include "base/ascii.h"
#include "gallery/catalogue.h"

namespace dorvane::pages {

LinkCommand ParseLinkTarget(std::string_view target) {
    const std::string t = base::AsciiUpper(target);
    if (t.starts_with("HTTP") || t.starts_with("MAILTO")) return {LinkKind::Web};
    if (t.starts_with("LINKPAGE")) {
        if (t.size() > 8 && t[8] >= '1' && t[8] <= '7') return {LinkKind::Page, t[8] - '0'};
        return {};
    }
    static constexpr std::array<std::pair<std::string_view, LinkKind>, 7> kCommands = {{
        {"FINDPIC", LinkKind::FindPicture},
        {"SAVEPROJECT", LinkKind::SaveProject},
        {"PREVIEW", LinkKind::Preview},
        {"LOADPROJECT", LinkKind::LoadProject},
        {"DELETEPROJECT", LinkKind::DeleteProject},
        {"SETBACKGROUND", LinkKind::SetBackground},
        {"CREDITS", LinkKind::Credits},
    }};
    for (const auto& [name, kind] : kCommands)
        if (t == name) return {kind};
    return {};
}

void RunLinkCommand(const std::string& target, const LinkActions& a) {
    const LinkCommand c = ParseLinkTarget(target);
    auto run = [](const std::function<void()>& f) {
        if (f) f();
    };
    switch (c.kind) {
        case LinkKind::Web:
            if (a.openLink) a.openLink(target);
            break;
        case LinkKind::Page:
            if (a.showPage) a.showPage(c.page);
            break;
        case LinkKind::FindPicture:
            run(a.findPicture);
            break;
        case LinkKind::SaveProject:
            run(a.saveProject);
            break;
        case LinkKind::Preview:
            run(a.preview);
            break;
        case LinkKind::LoadProject:
            run(a.loadProject);
            break;
        case LinkKind::DeleteProject:
            run(a.deleteProject);
            break;
        case LinkKind::SetBackground:
            run(a.setBackground);
            break;
        case LinkKind::Credits:
            run(a.showCredits);
            break;
        case LinkKind::None:
            break;
    }
}

}  // namespace dorvane::pages
