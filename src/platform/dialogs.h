// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes and file dialogs behind one small interface, so that tests answer
// questions, pick files and read the texts shown. Texts are the program's own:
// a pair of carriage returns makes the empty line between two sentences.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace dorvane::platform {

enum class BoxIcon { None, Question, Error };

struct FileDialogRequest {
    std::string title;
    std::string filterName;     // "JPEG Image File"
    std::string filterPattern;  // "*.jpg"
    std::string defaultSuffix;  // "JPG", added when a typed name has none
    std::string folder;         // empty: the platform's default folder
    std::string fileName;       // proposed name (save dialogs)
    bool picturePreview = false;
    bool confirmOverwrite = false;
    bool resizable = true;
};

// Each call opens its box and returns at once; the answer comes later, to the
// continuation, once the person has answered (a test's dialogs may answer at
// once). The boxes are modal to their window, so no other command starts
// meanwhile, and no event loop runs inside another.
class Dialogs {
public:
    using Done = std::function<void()>;
    using Answer = std::function<void(bool yes)>;
    using Chosen = std::function<void(const std::optional<std::string>& path)>;

    virtual ~Dialogs() = default;
    // The program's plain message box: title "Dorvane", no icon, one OK button.
    virtual void inform(const std::string& text, Done then) = 0;
    void inform(const std::string& text) { inform(text, {}); }
    // Yes/No with No as the default button; yes when Yes was chosen.
    virtual void ask(const std::string& title, const std::string& text, BoxIcon icon,
                     Answer then) = 0;
    // The general error box: title "Dorvane", error icon, OK.
    virtual void showError(const std::string& text, Done then) = 0;
    void showError(const std::string& text) { showError(text, {}); }
    // The chosen path, or nothing when cancelled.
    virtual void openFile(const FileDialogRequest& request, Chosen then) = 0;
    virtual void saveFile(const FileDialogRequest& request, Chosen then) = 0;
};

// "\r\r" as the platform's message box shows it: one empty line.
std::string DisplayText(const std::string& text);

}  // namespace dorvane::platform
