// SPDX-License-Identifier: GPL-3.0-or-later
// Web and mail links go to the desktop's default handler.
#pragma once

#include <string>

namespace dorvane::platform {

class LinkOpener {
public:
    virtual ~LinkOpener() = default;
    // The result is ignored by the program: nothing visible happens when no
    // program handles the link.
    virtual void open(const std::string& target) = 0;
};

class DesktopLinkOpener : public LinkOpener {
public:
    void open(const std::string& target) override;
};

}  // namespace dorvane::platform
