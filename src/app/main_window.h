// SPDX-License-Identifier: GPL-3.0-or-later
// TformMain: the borderless, skinned main window. It owns the state of the
// program (the goal board, the gallery, the working pictures) and wires the
// pages together; the work itself lives in the pages' own classes.
#pragma once

#include <QDate>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/builtin_thumbnails.h"
#include "app/chrome.h"
#include "app/page_panels.h"
#include "app/preview_page.h"
#include "app/saved_boards_page.h"
#include "app/tab_order.h"
#include "compose/board_composer.h"
#include "compose/board_undo.h"
#include "compose/goal_board.h"
#include "compose/monitor_wallpaper.h"
#include "compose/style_controls.h"
#include "gallery/gallery_page.h"
#include "imaging/bitmap.h"
#include "pages/page_texts.h"
#include "pages/resources_viewer.h"
#include "pages/site_config.h"
#include "platform/desktop_wallpaper.h"
#include "platform/dialogs.h"
#include "platform/links.h"
#include "platform/monitors.h"
#include "platform/pacing.h"
#include "platform/screen.h"

namespace dorvane::gallery {
class TformPreview;
}

namespace dorvane::app {

inline constexpr const char* kCloseTitle = "Close application";
inline constexpr const char* kCloseQuestion =
    "All your unsaved work might be lost.\r\rDo you really want to exit Dorvane?";

// What the window needs from outside; tests pass their own.
struct Services {
    platform::Screen* screen = nullptr;
    platform::Dialogs* dialogs = nullptr;
    platform::LinkOpener* links = nullptr;
    platform::Pacing pacing = platform::RealPacing();
    std::filesystem::path programPath;  // the executable
    std::filesystem::path dataFolder;   // where MyGallery/ and MyGoals/ go
    std::function<std::vector<std::string>()> fontFamilies;
    std::function<bool()> isOnline = [] { return false; };
    // Has the desktop show the wallpaper file; the desktop backends provide it.
    std::function<wallpaper::Outcome(const QString& absPath)> setDesktopWallpaper =
        [](const QString&) {
            return wallpaper::Outcome{false, QStringLiteral("no supported desktop was found")};
        };
    // The monitors, and setting a picture for each (compose::SetMonitorWallpapers
    // with the running desktop); without them, or with one monitor, the window's
    // screen alone is set as always.
    std::function<std::vector<platform::Monitor>()> listMonitors;
    std::function<compose::MonitorWallpaperResult(const compose::MonitorWallpaperJob&)>
        setMonitorWallpapers;
    std::string resourcesPageUrl{pages::kResourcesPageUrl};
    std::function<QDate()> today = [] { return QDate::currentDate(); };  // the save name's date
    int galleryThreads = 0;                                              // 0: one per core
};

class TformMain : public QWidget {
    Q_OBJECT
public:
    explicit TformMain(Services services);
    ~TformMain() override;

    // The full-screen preview window, made after this window and owned by it.
    void setPreviewWindow(std::unique_ptr<gallery::TformPreview> preview);
    gallery::TformPreview* previewWindow() const { return formPreview_.get(); }

    // Keyboard access: the Tab stops of the page shown, in order, and the page
    // control on top of the body area.
    std::vector<FocusStop> TabStops();
    QWidget* ShownPage() const;

    void ShowPage(int page);
    void AddPictureFromDisk();
    void ScrollToPicture(int n) { page2->ScrollToPicture(n); }
    void FormKeyDown(int qtKey);
    // The "preview" command: the composed board full screen until a click or key.
    void ShowFullPreview();
    // The "setbackground" command: asks, writes the composed board as the wallpaper
    // file in the data folder and has the desktop show it.
    void SetWallpaper();
    // Sets the style lists from CurrentBoard without raising their change events
    // (after a board is loaded).
    void ShowBoardStyle();
    // Page 5's operations.
    void SaveProject() { page5->SaveProject(); }
    void ListProjects() { page5->ListProjects(); }
    void lbProjectsClick() { page5->lbProjectsClick(); }
    void LoadProject() { page5->LoadProject(); }
    void DeleteProject() { page5->DeleteProject(); }
    // Forgets the page-4 undo history (a board was loaded).
    void clearUndo() { undo_.clear(); }

    // The page-4 composition: the working pictures, the text layer, the last
    // rendering and the drag.
    compose::BoardComposer& composer() { return *composer_; }
    const compose::BoardComposer& composer() const { return *composer_; }
    const Bitmap& screenPicture() const { return composer_->screenPicture(); }
    const compose::TextLayer& textLayer() const { return composer_->textLayer(); }

    // Controls.
    std::unique_ptr<Chrome> chrome;
    std::unique_ptr<HtmlPage> pageHtml;  // plain records of widgets the window owns
    gallery::GalleryPage* page2 = nullptr;
    PreviewPage* page4 = nullptr;
    SavedBoardsPage* page5 = nullptr;
    pages::ResourcesViewer* WebBrowser = nullptr;
    class FocusRing* focusRing = nullptr;
    htmlview::HtmlView* htmlQuote = nullptr;

    // State, in the order of the original window's fields.
    std::string GalleryFolder;
    std::string GoalsFolder;
    std::string ProgramPath;
    std::uint32_t CurrentPage = 0;
    compose::TGoalsProject CurrentBoard;
    bool ResourcesPageLoaded = false;
    gallery::GalleryState gallery;  // Pictures, PictureCount, SelectedPicture, LoadedPicture
    Bitmap FullPicture;
    compose::StyleControls styles;
    // Page commands that other parts of the program provide; the clicks read them.
    pages::LinkActions actions;
    std::unique_ptr<pages::PageClicks> clicks;  // PressNotOnImage, ImageClickDone

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void MakeAccessible();
    void KeepFocusOnPage();
    void FormCreate();
    void FormActivate();
    void LoadFirstPicture();
    void CreateControls();
    void WireButtons();
    void BuildGallery();
    void WireSavedBoards();
    boards::BoardReadContext BoardContext() const;
    void LoadBoardFile(const std::filesystem::path& file);
    void RebuildPicture();
    void FallBackToPictureOne(const std::string& why);
    void LoadPicture(int n);
    void PrepareScreenPictures();
    void ThumbnailDblClick(gallery::ThumbnailControl* t);
    void ShowPreviewPage();
    // Page 4 (preview_commands.cpp).
    void WirePreviewPage();
    void ReadStyleControls();
    void cbFontChange();
    void RefreshPreview();
    void ShowPreview(const Bitmap& composed);  // at the composer's device pixel ratio
    void imgMouseMouseDown(compose::MouseButton button, QPoint at);
    void imgMouseMouseMove(QPoint at, bool buttonHeld);
    void imgMouseMouseUp();
    void imgPreviewEndDrag();
    void NudgeTextBox(int dx, int dy, bool repeated);
    void ApplyUndoStep(const std::optional<compose::BoardLook>& look);
    void OpenResourcesPage();
    void ShowResourcesPage();
    void ShowOfflineResources();
    void SetSideButtons(int downPage);
    void ShowBodyPage(const char* body, const char* quote);

    Services services_;
    std::unique_ptr<compose::BoardComposer> composer_;  // sized for the screen at creation
    compose::BoardUndo undo_;
    std::optional<compose::BoardLook> dragBefore_;  // the look when the drag began
    std::unique_ptr<gallery::TformPreview> formPreview_;
    bool firstFramePainted_ = false;
    bool openAfterFirstFrame_ = false;
    bool shapeFollowsScreen_ = false;
    BuiltInThumbnails builtInThumbnails_;
};

}  // namespace dorvane::app
