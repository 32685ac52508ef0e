// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/saved_boards_page.h"

#include <QFutureWatcher>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QTextEdit>
#include <QtConcurrent/QtConcurrentRun>
#include <utility>

#include "app/image_control.h"
#include "app/page_panels.h"
#include "boards/saved_boards.h"
#include "gallery/gallery_page.h"
#include "htmlview/html_view.h"
#include "imaging/bitmap_image.h"
#include "platform/error_report.h"
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

SavedBoardsPage::SavedBoardsPage(QWidget* window, fs::path goalsFolder, platform::Dialogs& dialogs)
    : QWidget(window), folder_(std::move(goalsFolder)), dialogs_(dialogs) {
    setObjectName("page5");
    setGeometry(kBodyArea);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    topText_ = View(this, "htmlBody51", QRect(-1, -1, 387, 25));
    bottomText_ = View(this, "htmlBody52", QRect(-1, 187, 387, 33));
    border_ = new gallery::ShapeControl(this, "shapeProjectsBorder", QColor(223, 216, 173), 1);
    border_->setGeometry(4, 30, 376, 149);
    list_ = new QListWidget(this);
    list_->setObjectName("lbProjects");
    list_->setGeometry(5, 31, 374, 147);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setUniformItemSizes(true);  // a thousand boards list at once
    list_->setFont(Arial(10, true));
    list_->setStyleSheet("QListWidget::item { height: 16px; }");
    connect(list_, &QListWidget::itemSelectionChanged, this,
            [this] { platform::RunCommand([this] { showSelected(); }); });
    // A click on the board already chosen reads its file again (it may have
    // changed on disk); a click that changes the choice is read once, above.
    list_->viewport()->installEventFilter(this);
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (std::exchange(pressedChosen_, nullptr) == item)
            platform::RunCommand([this] { showSelected(); });
    });
    previewLabel_ = new QLabel(kResting, this);
    previewLabel_->setObjectName("lblProjectsPreview");
    previewLabel_->move(5, 224);
    previewLabel_->setFont(Arial(8, true));
    previewLabel_->setMinimumWidth(120);  // room for "Loading..." too
    previewLabel_->adjustSize();
    memo_ = new QTextEdit(this);
    memo_->setObjectName("memoGoals");
    memo_->setGeometry(5, 239, 185, 167);
    memo_->setReadOnly(true);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setFont(Arial(8, false));
    preview_ = new ImageControl(this, "imgProjectPreview");
    preview_->setGeometry(195, 239, 182, 169);
    preview_->hide();
    connect(&reader_, &QFutureWatcher<ReadBoard>::finished, this, [this] {
        // A list refilled meanwhile, with nothing selected, shows nothing.
        const ReadBoard& read = reader_.result();
        if (selectedFile() == read.file) platform::RunCommand([&] { showBoard(read); });
        memo_->show();
        previewLabel_->setText(kResting);
    });
}

bool SavedBoardsPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_->viewport() && event->type() == QEvent::MouseButtonPress) {
        QListWidgetItem* item =
            list_->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        pressedChosen_ = item && item->isSelected() ? item : nullptr;
    }
    return QWidget::eventFilter(watched, event);
}

SavedBoardsPage::~SavedBoardsPage() {
    // Emptying the list as it goes is no selection event for a page half gone.
    list_->disconnect(this);
    reader_.disconnect(this);
    reader_.waitForFinished();
}

void SavedBoardsPage::makeAccessible() {
    list_->setAccessibleName("Saved goal boards");
    memo_->setAccessibleName("Goals of the chosen board");
    preview_->setAccessibleName("Preview of the chosen board");
}

void SavedBoardsPage::saveProject() {
    dialogs_.saveFile(SaveRequest(folder_, today_ ? today_() : QDate::currentDate()),
                      [page = QPointer(this)](const std::optional<std::string>& chosen) {
                          if (page && chosen) page->saveAs(boards::SaveTarget(*chosen));
                      });
}

void SavedBoardsPage::saveAs(const fs::path& target) {
    try {
        if (save_) save_(target);
    } catch (const std::exception& e) {
        return dialogs_.showError(SaveFailedText(target, e.what()));
    }
    dialogs_.inform(kSavedMessage);
}

void SavedBoardsPage::listProjects() {
    const QSignalBlocker quiet(list_);  // emptying the list is no selection event
    list_->clear();
    pressedChosen_ = nullptr;
    memo_->clear();
    preview_->hide();
    for (const boards::SavedBoardEntry& e : boards::ListSavedBoards(folder_)) {
        auto* item = new QListWidgetItem(QString::fromStdString(e.entry));
        // The name's own bytes: one that is not UTF-8 would not survive a QString.
        item->setData(Qt::UserRole, QByteArray::fromStdString(e.fileName));
        list_->addItem(item);
    }
}

std::optional<fs::path> SavedBoardsPage::selectedFile() const {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    return platform::ResolveName(folder_,
                                 selected.first()->data(Qt::UserRole).toByteArray().toStdString());
}

bool SavedBoardsPage::reading() const {
    return reader_.isRunning();
}

void SavedBoardsPage::showSelected() {
    const std::optional<fs::path> file = selectedFile();
    if (!file) return;
    previewLabel_->setText(kReading);
    memo_->hide();
    preview_->hide();
    // A selection made while one is read replaces it: the watcher reports only
    // the newest read, and the older one ends on its own.
    const boards::BoardReadContext context =
        readContext_ ? readContext_() : boards::BoardReadContext{};
    const TwinJob twin = devicePixelRatioF() > 1 && makeTwin_ ? makeTwin_() : TwinJob();
    reader_.setFuture(QtConcurrent::run([file = *file, context, twin] {
        compose::GoalBoard board;
        boards::ReadProjectFile(file, board, context);
        ReadBoard read{file, {}, boards::DecodeStoredPreview(board.Preview), {}};
        if (read.preview && twin) {
            try {
                read.twin = twin(board, 2 * read.preview->width(), 2 * read.preview->height());
            } catch (const std::exception&) {
                // its picture gone or unreadable: the stored preview alone
            }
        }
        for (const std::string& line : boards::MemoLines(board))
            read.lines << QString::fromStdString(line);
        return read;
    }));
}

void SavedBoardsPage::showBoard(const ReadBoard& board) {
    memo_->setPlainText(board.lines.join('\n'));
    if (board.preview) {
        QImage twin;
        if (board.twin) {
            twin = imaging::ToQImage(*board.twin);
            twin.setDevicePixelRatio(2);
        }
        preview_->setImage(imaging::ToQImage(*board.preview), twin);
        preview_->show();
    }
}

void SavedBoardsPage::loadProject() {
    if (!selectedFile()) return dialogs_.inform(kNoProjectMessage);
    dialogs_.ask(
        kLoadTitle, kLoadQuestion, platform::BoxIcon::None, [page = QPointer(this)](bool yes) {
            // Take the selection as it is now, after the question.
            if (!page || !yes) return;
            if (const std::optional<fs::path> file = page->selectedFile(); file && page->load_)
                page->load_(*file);
        });
}

void SavedBoardsPage::deleteProject() {
    if (!selectedFile()) return dialogs_.inform(kNoProjectMessage);
    dialogs_.ask(kDeleteTitle, kDeleteQuestion, platform::BoxIcon::None,
                 [page = QPointer(this)](bool yes) {
                     if (!page || !yes) return;
                     // A file that cannot be deleted stays, and is listed again.
                     if (const std::optional<fs::path> file = page->selectedFile())
                         platform::DeleteFileIgnoringCase(page->folder_, file->filename().string());
                     page->listProjects();
                 });
}

}  // namespace dorvane::app
