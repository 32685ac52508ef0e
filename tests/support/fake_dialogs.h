// SPDX-License-Identifier: GPL-3.0-or-later
// Dialogs that tests answer, at once: every text shown is recorded; questions
// take the queued answers (No when none is queued), file dialogs the queued paths.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

class FakeDialogs : public dorvane::platform::Dialogs {
public:
    struct Shown {
        std::string kind;  // "inform", "ask", "error"
        std::string title;
        std::string text;
    };

    using Dialogs::inform;
    using Dialogs::showError;
    void inform(const std::string& text, Done then) override {
        shown.push_back({"inform", "Dorvane", text});
        if (then) then();
    }
    void ask(const std::string& title, const std::string& text, dorvane::platform::BoxIcon icon,
             Answer then) override {
        shown.push_back({"ask", title, text});
        lastIcon = icon;
        bool yes = false;
        if (!answers.empty()) {
            yes = answers.front();
            answers.pop_front();
        }
        if (then) then(yes);
    }
    void showError(const std::string& text, Done then) override {
        shown.push_back({"error", "Dorvane", text});
        if (then) then();
    }
    void openFile(const dorvane::platform::FileDialogRequest& r, Chosen then) override {
        requests.push_back(r);
        if (then) then(Next());
    }
    void saveFile(const dorvane::platform::FileDialogRequest& r, Chosen then) override {
        requests.push_back(r);
        if (then) then(Next());
    }

    std::vector<std::string> texts(const std::string& kind) const {
        std::vector<std::string> out;
        for (const Shown& s : shown)
            if (s.kind == kind) out.push_back(s.text);
        return out;
    }

    std::vector<Shown> shown;
    std::deque<bool> answers;
    std::deque<std::optional<std::string>> files;  // nullopt: the user cancels
    std::vector<dorvane::platform::FileDialogRequest> requests;
    dorvane::platform::BoxIcon lastIcon = dorvane::platform::BoxIcon::None;

private:
    std::optional<std::string> Next() {
        if (files.empty()) return std::nullopt;
        auto f = files.front();
        files.pop_front();
        return f;
    }
};
