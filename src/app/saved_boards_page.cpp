// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/saved_boards_page.h"

#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QTextEdit>
#include <utility>

#include "app/image_control.h"
#include "app/page_panels.h"
#include "boards/saved_boards.h"
#include "gallery/gallery_page.h"
#include "htmlview/html_view.h"
#include "imaging/bitmap_image.h"
#include "platform/files.h"

namespace dorvane::app {
namespace fs = std::filesystem;
namespace {

constexpr const char* kResting = "Preview:";
constexpr const char* kReading = "Loading...";

platform::FileDialogRequest SaveRequest(const fs::path& folder, const QDate& date) {
    platform::FileDialogRequest r;
    r.title = kSaveTitle;
    r.filterName = "Dorvane projects";
    r.filterPattern = "*.gls";
    r.defaultSuffix = "gls";
    r.folder = folder.string();
    r.fileName = (folder / boards::DateGoalsName(date.year(), date.month(), date.day())).string();
    r.confirmOverwrite = true;
    r.resizable = false;
    return r;
}

// Names the file once, then says why (without the writer's own mention of it).
std::string SaveFailedText(const fs::path& file, std::string_view reason) {
    const std::string own = "Cannot write " + file.string() + ": ";
    if (reason.starts_with(own)) reason.remove_prefix(own.size());
    return "Your goals could not be saved to " + file.string() + ".\r\r" + std::string(reason);
}

}  // namespace

SavedBoardsPage::SavedBoardsPage(QWidget* window, fs::path goalsFolder, platform::Dialogs& dialogs,
                                 platform::Pacing pacing)
    : QWidget(window), folder_(std::move(goalsFolder)), dialogs_(dialogs), pacing_(pacing) {
    setObjectName("page5");
    setGeometry(kBodyArea);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    htmlBody51 = View(this, "htmlBody51", QRect(-1, -1, 387, 25));
    htmlBody52 = View(this, "htmlBody52", QRect(-1, 187, 387, 33));
    shapeProjectsBorder =
        new gallery::ShapeControl(this, "shapeProjectsBorder", QColor(223, 216, 173), 1);
    shapeProjectsBorder->setGeometry(4, 30, 376, 149);
    lbProjects = new QListWidget(this);
    lbProjects->setObjectName("lbProjects");
    lbProjects->setGeometry(5, 31, 374, 147);
    lbProjects->setFrameShape(QFrame::NoFrame);
    lbProjects->setSelectionMode(QAbstractItemView::SingleSelection);
    lbProjects->setUniformItemSizes(true);  // a thousand boards list at once
    lbProjects->setFont(Arial(10, true));
    lbProjects->setStyleSheet("QListWidget::item { height: 16px; }");
    connect(lbProjects, &QListWidget::itemSelectionChanged, this,
            &SavedBoardsPage::lbProjectsClick);
    // A click on the board already chosen reads its file again (it may have
    // changed on disk); a click that changes the choice is read once, above.
    lbProjects->viewport()->installEventFilter(this);
    connect(lbProjects, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (std::exchange(pressedChosen_, nullptr) == item) lbProjectsClick();
    });
    lblProjectsPreview = new QLabel(kResting, this);
    lblProjectsPreview->setObjectName("lblProjectsPreview");
    lblProjectsPreview->move(5, 224);
    lblProjectsPreview->setFont(Arial(8, true));
    lblProjectsPreview->setMinimumWidth(120);  // room for "Loading..." too
    lblProjectsPreview->adjustSize();
    memoGoals = new QTextEdit(this);
    memoGoals->setObjectName("memoGoals");
    memoGoals->setGeometry(5, 239, 185, 167);
    memoGoals->setReadOnly(true);
    memoGoals->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoGoals->setFont(Arial(8, false));
    imgProjectPreview = new ImageControl(this, "imgProjectPreview");
    imgProjectPreview->setGeometry(195, 239, 182, 169);
    imgProjectPreview->hide();
}

bool SavedBoardsPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lbProjects->viewport() && event->type() == QEvent::MouseButtonPress) {
        QListWidgetItem* item =
            lbProjects->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        pressedChosen_ = item && item->isSelected() ? item : nullptr;
    }
    return QWidget::eventFilter(watched, event);
}

SavedBoardsPage::~SavedBoardsPage() {
    // Emptying the list as it goes is no selection event for a page half gone.
    lbProjects->disconnect(this);
}

void SavedBoardsPage::SaveProject() {
    const std::optional<std::string> chosen =
        dialogs_.saveFile(SaveRequest(folder_, today ? today() : QDate::currentDate()));
    if (!chosen) return;
    const fs::path target = boards::SaveTarget(*chosen);
    try {
        if (saveBoard) saveBoard(target);
    } catch (const std::exception& e) {
        dialogs_.showError(SaveFailedText(target, e.what()));
        return;
    }
    dialogs_.inform(kSavedMessage);
}

void SavedBoardsPage::ListProjects() {
    const QSignalBlocker quiet(lbProjects);  // emptying the list is no selection event
    lbProjects->clear();
    pressedChosen_ = nullptr;
    memoGoals->clear();
    imgProjectPreview->hide();
    for (const boards::SavedBoardEntry& e : boards::ListSavedBoards(folder_)) {
        auto* item = new QListWidgetItem(QString::fromStdString(e.entry));
        // The name's own bytes: one that is not UTF-8 would not survive a QString.
        item->setData(Qt::UserRole, QByteArray::fromStdString(e.fileName));
        lbProjects->addItem(item);
    }
}

std::optional<fs::path> SavedBoardsPage::selectedFile() const {
    const QList<QListWidgetItem*> selected = lbProjects->selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    return platform::ResolveName(folder_,
                                 selected.first()->data(Qt::UserRole).toByteArray().toStdString());
}

void SavedBoardsPage::lbProjectsClick() {
    if (!selectedFile()) return;
    lblProjectsPreview->setText(kReading);
    memoGoals->hide();
    imgProjectPreview->hide();
    pacing_.pump();
    // Taken after the pause, so a selection made meanwhile is the one read; the
    // list may also have been refilled meanwhile, leaving nothing to read.
    if (const std::optional<fs::path> file = selectedFile()) showBoard(*file);
    memoGoals->show();
    lblProjectsPreview->setText(kResting);
    pacing_.pump();
}

void SavedBoardsPage::showBoard(const fs::path& file) {
    compose::TGoalsProject board;
    boards::ReadProjectFile(file, board, readContext ? readContext() : boards::BoardReadContext{});
    QStringList lines;
    for (const std::string& line : boards::MemoLines(board)) lines << QString::fromStdString(line);
    memoGoals->setPlainText(lines.join('\n'));
    if (const std::optional<Bitmap> preview = boards::DecodeStoredPreview(board.Preview)) {
        imgProjectPreview->setImage(gallery::ToQImage(*preview));
        imgProjectPreview->show();
    }
}

void SavedBoardsPage::LoadProject() {
    if (!selectedFile()) return dialogs_.inform(kNoProjectMessage);
    if (!dialogs_.ask(kLoadTitle, kLoadQuestion, platform::BoxIcon::None)) return;
    // The question let events run: take the selection as it is now.
    if (const std::optional<fs::path> file = selectedFile(); file && loadBoard) loadBoard(*file);
}

void SavedBoardsPage::DeleteProject() {
    if (!selectedFile()) return dialogs_.inform(kNoProjectMessage);
    if (!dialogs_.ask(kDeleteTitle, kDeleteQuestion, platform::BoxIcon::None)) return;
    // A file that cannot be deleted stays, and is listed again.
    if (const std::optional<fs::path> file = selectedFile())
        platform::DeleteFileIgnoringCase(folder_, file->filename().string());
    ListProjects();
}

}  // namespace dorvane::app
