// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs of the running program: Qt message boxes and file dialogs.
#pragma once

#include "platform/dialogs.h"

class QWidget;

namespace dorvane::platform {

class QtDialogs : public Dialogs {
public:
    // Boxes are owned by (centred on) `owner` when given.
    explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }

    using Dialogs::inform;
    using Dialogs::showError;
    void inform(const std::string& text, Done then) override;
    void ask(const std::string& title, const std::string& text, BoxIcon icon, Answer then) override;
    void showError(const std::string& text, Done then) override;
    void openFile(const FileDialogRequest& request, Chosen then) override;
    void saveFile(const FileDialogRequest& request, Chosen then) override;

private:
    QWidget* owner_;
};

}  // namespace dorvane::platform
