// SPDX-License-Identifier: GPL-3.0-or-later
// Web and mail links go to the desktop's default handler.
#pragma once

#include <functional>
#include <string>
#include <utility>

namespace dorvane::platform {

class LinkOpener {
public:
    using FailureHandler = std::function<void(const std::string& target)>;
    virtual ~LinkOpener() = default;
    // Hands the link to the desktop and returns at once. When no program could
    // be started for it, the failure handler hears of it later, from the event loop.
    virtual void open(const std::string& target) = 0;
    void setFailureHandler(FailureHandler handler) { onFailure_ = std::move(handler); }

protected:
    const FailureHandler& failureHandler() const { return onFailure_; }

private:
    FailureHandler onFailure_;
};

class DesktopLinkOpener : public LinkOpener {
public:
    void open(const std::string& target) override;
};

}  // namespace dorvane::platform
