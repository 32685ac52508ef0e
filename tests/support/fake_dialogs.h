// SPDX-License-Identifier: GPL-3.0-or-later
// Dialogs that tests answer: every text shown is recorded; questions take the
// queued answers (No when none is queued), file dialogs the queued paths.
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

    void inform(const std::string& text) override { shown.push_back({"inform", "Dorvane", text}); }
    bool ask(const std::string& title, const std::string& text,
             dorvane::platform::BoxIcon icon) override {
        shown.push_back({"ask", title, text});
        lastIcon = icon;
        if (answers.empty()) return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    void showError(const std::string& text) override {
        shown.push_back({"error", "Dorvane", text});
    }
    std::optional<std::string> openFile(const dorvane::platform::FileDialogRequest& r) override {
        requests.push_back(r);
        return Next();
    }
    std::optional<std::string> saveFile(const dorvane::platform::FileDialogRequest& r) override {
        requests.push_back(r);
        return Next();
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
