// SPDX-License-Identifier: GPL-3.0-or-later
// Page 5, "Load saved work": the saved boards of the goals folder, the goals and
// small picture of the one selected, and the commands that save the current
// board, load a saved one and delete one. It reports to the window through the
// callbacks below; the window owns the board and the pictures.
#pragma once

#include <QDate>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>

#include "boards/project_file.h"
#include "platform/dialogs.h"
#include "platform/pacing.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QTextEdit;

namespace dorvane::htmlview {
class HtmlView;
}
namespace dorvane::gallery {
class ShapeControl;
}

namespace dorvane::app {

class ImageControl;

inline constexpr const char* kSaveTitle = "Save goals...";
inline constexpr const char* kSavedMessage = "Goals successfully saved!";
inline constexpr const char* kNoProjectMessage = "No project is selected!";
inline constexpr const char* kLoadTitle = "Load goals";
inline constexpr const char* kLoadQuestion =
    "Do you really want to load previously saved goals?\r\rAll your work will be lost, if you "
    "haven't saved it beforehand.";
inline constexpr const char* kDeleteTitle = "Delete goals";
inline constexpr const char* kDeleteQuestion = "Do you really want to delete the saved goals?";

class SavedBoardsPage : public QWidget {
    Q_OBJECT
public:
    SavedBoardsPage(QWidget* window, std::filesystem::path goalsFolder, platform::Dialogs& dialogs,
                    platform::Pacing pacing);
    ~SavedBoardsPage() override;

    htmlview::HtmlView* htmlBody51;
    htmlview::HtmlView* htmlBody52;
    gallery::ShapeControl* shapeProjectsBorder;
    QListWidget* lbProjects;
    QLabel* lblProjectsPreview;
    QTextEdit* memoGoals;
    ImageControl* imgProjectPreview;

    // Asks for a file name and writes the current board there.
    void SaveProject();
    // Refills the list; nothing selected, memo empty, no picture.
    void ListProjects();
    // The list's selection event: shows the selected board's goals and picture.
    void lbProjectsClick();
    // Replaces the current board by the selected one (after a question).
    void LoadProject();
    // Deletes the selected board's file (after a question).
    void DeleteProject();

    // What the page needs from the window.
    std::function<QDate()> today;
    std::function<boards::BoardReadContext()> readContext;
    // Writes the current board with its preview to the file; throws on failure.
    std::function<void(const std::filesystem::path&)> saveBoard;
    // Reads the file into the current board and shows it (page 3).
    std::function<void(const std::filesystem::path&)> loadBoard;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<std::filesystem::path> selectedFile() const;
    void showBoard(const std::filesystem::path& file);

    std::filesystem::path folder_;
    platform::Dialogs& dialogs_;
    platform::Pacing pacing_;
    QListWidgetItem* pressedChosen_ = nullptr;  // the chosen item, when a press was on it
};

}  // namespace dorvane::app
