// SPDX-License-Identifier: GPL-3.0-or-later
// Page 5, "Load saved work": the saved boards of the goals folder, the goals and
// small picture of the one selected, and the commands that save the current
// board, load a saved one and delete one. It reports to the window through the
// functions it is given; the board model owns the board and the pictures.
#pragma once

#include <QDate>
#include <QFutureWatcher>
#include <QStringList>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "boards/project_file.h"
#include "imaging/bitmap.h"
#include "platform/dialogs.h"

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
    SavedBoardsPage(QWidget* window, std::filesystem::path goalsFolder, platform::Dialogs& dialogs);
    ~SavedBoardsPage() override;

    htmlview::HtmlView* topText() const { return topText_; }
    htmlview::HtmlView* bottomText() const { return bottomText_; }
    QListWidget* boardList() const { return list_; }
    QTextEdit* goalsMemo() const { return memo_; }
    ImageControl* boardPreview() const { return preview_; }
    QLabel* previewLabel() const { return previewLabel_; }
    // Names the controls for screen readers.
    void makeAccessible();

    // Asks for a file name and writes the current board there.
    void saveProject();
    // Refills the list; nothing selected, memo empty, no picture.
    void listProjects();
    // Shows the selected board's goals and picture, read on another thread.
    void showSelected();
    // Replaces the current board by the selected one (after a question).
    void loadProject();
    // Deletes the selected board's file (after a question).
    void deleteProject();
    // True while the selected board is being read.
    bool reading() const;

    // What the page needs from the window: the save name's date, what reading a
    // board needs (safe to use on another thread), writing the current board with
    // its preview to a file (throws on failure), and reading a file into the
    // current board and showing it (page 3).
    void setToday(std::function<QDate()> today) { today_ = std::move(today); }
    void setReadContext(std::function<boards::BoardReadContext()> context) {
        readContext_ = std::move(context);
    }
    void setSaver(std::function<void(const std::filesystem::path&)> save) {
        save_ = std::move(save);
    }
    void setLoader(std::function<void(const std::filesystem::path&)> load) {
        load_ = std::move(load);
    }
    // The stored preview has 182 × 169 pixels at most; on a screen with a device
    // pixel ratio above 1 the page shows a twin composed anew at twice that size.
    // `make` runs on the UI thread and returns a job that is safe to run on another
    // one: from a board and the twin's size, the twin, or nothing.
    using TwinJob = std::function<std::optional<imaging::Bitmap>(const compose::GoalBoard&,
                                                                 int width, int height)>;
    void setTwinMaker(std::function<TwinJob()> make) { makeTwin_ = std::move(make); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A board read for showing: its memo lines and its small picture.
    struct ReadBoard {
        std::filesystem::path file;
        QStringList lines;
        std::optional<imaging::Bitmap> preview;
        std::optional<imaging::Bitmap> twin;  // the preview at twice its size
    };
    std::optional<std::filesystem::path> selectedFile() const;
    void saveAs(const std::filesystem::path& target);
    void showBoard(const ReadBoard& board);

    std::filesystem::path folder_;
    platform::Dialogs& dialogs_;
    htmlview::HtmlView* topText_;
    htmlview::HtmlView* bottomText_;
    gallery::ShapeControl* border_;
    QListWidget* list_;
    QLabel* previewLabel_;
    QTextEdit* memo_;
    ImageControl* preview_;
    std::function<QDate()> today_;
    std::function<boards::BoardReadContext()> readContext_;
    std::function<void(const std::filesystem::path&)> save_;
    std::function<void(const std::filesystem::path&)> load_;
    std::function<TwinJob()> makeTwin_;
    QFutureWatcher<ReadBoard> reader_;
    QListWidgetItem* pressedChosen_ = nullptr;  // the chosen item, when a press was on it
};

}  // namespace dorvane::app
