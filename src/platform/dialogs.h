// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes and file dialogs behind one small interface, so that tests answer
// questions, pick files and read the texts shown. Texts are the program's own:
// a pair of carriage returns makes the empty line between two sentences.
#pragma once

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

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The program's plain message box: title "Dorvane", no icon, one OK button, modal.
    virtual void inform(const std::string& text) = 0;
    // Yes/No with No as the default button; true for Yes.
    virtual bool ask(const std::string& title, const std::string& text, BoxIcon icon) = 0;
    // The general error box: title "Dorvane", error icon, OK.
    virtual void showError(const std::string& text) = 0;
    // The chosen path, or nothing when cancelled.
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
};

// "\r\r" as the platform's message box shows it: one empty line.
std::string DisplayText(const std::string& text);

}  // namespace dorvane::platform
