// SPDX-License-Identifier: GPL-3.0-or-later
// Dialogs for benchmarks: every question gets the same answer at once, the open
// dialog the file set beforehand, and the boxes shown are counted.
#pragma once

#include <optional>
#include <string>

#include "platform/dialogs.h"

class AnsweringDialogs : public dorvane::platform::Dialogs {
public:
    explicit AnsweringDialogs(bool yes) : yes_(yes) {}
    using Dialogs::inform;
    using Dialogs::showError;
    void inform(const std::string&, Done then) override { shown(then); }
    void ask(const std::string&, const std::string&, dorvane::platform::BoxIcon,
             Answer then) override {
        if (then) then(yes_);
    }
    void showError(const std::string&, Done then) override { shown(then); }
    void openFile(const dorvane::platform::FileDialogRequest&, Chosen then) override {
        if (then) then(chosen);
    }
    void saveFile(const dorvane::platform::FileDialogRequest&, Chosen then) override {
        if (then) then(std::nullopt);
    }
    int informed = 0;
    std::optional<std::string> chosen;  // the file "Add picture" gets

private:
    void shown(const Done& then) {
        ++informed;
        if (then) then();
    }
    bool yes_;
};
