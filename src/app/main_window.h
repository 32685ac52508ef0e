// SPDX-License-Identifier: GPL-3.0-or-later
// TformMain: the borderless, skinned main window. It owns the state of the
// program (the goal board, the gallery, the working pictures) and wires the
// pages together; the work itself lives in the pages' own classes.
#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/builtin_thumbnails.h"
#include "app/chrome.h"
#include "app/page_panels.h"
#include "compose/goal_board.h"
#include "compose/style_controls.h"
#include "compose/text_frame.h"
#include "compose/text_layer.h"
#include "gallery/gallery_page.h"
#include "imaging/bitmap.h"
#include "pages/page_texts.h"
#include "platform/dialogs.h"
#include "platform/links.h"
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
    int galleryThreads = 0;  // 0: one per core
};

class TformMain : public QWidget {
    Q_OBJECT
public:
    explicit TformMain(Services services);
    ~TformMain() override;

    // The full-screen preview window, made after this window and owned by it.
    void setPreviewWindow(std::unique_ptr<gallery::TformPreview> preview);
    gallery::TformPreview* previewWindow() const { return formPreview_.get(); }

    void ShowPage(int page);
    void AddPictureFromDisk();
    void ScrollToPicture(int n) { page2->ScrollToPicture(n); }
    void FormKeyDown(int qtKey);
    // The "preview" command: the composed board full screen until a click or key.
    void ShowFullPreview();

    // Controls.
    std::unique_ptr<Chrome> chrome;
    std::unique_ptr<HtmlPage> pageHtml;  // plain records of widgets the window owns
    gallery::GalleryPage* page2 = nullptr;
    std::unique_ptr<PreviewPage> page4;
    std::unique_ptr<SavedBoardsPage> page5;
    QWidget* WebBrowser = nullptr;
    htmlview::HtmlView* htmlQuote = nullptr;

    // State, in the order of the original window's fields.
    std::string GalleryFolder;
    std::string GoalsFolder;
    std::string ProgramPath;
    std::uint32_t CurrentPage = 0;
    compose::TGoalsProject CurrentBoard;
    std::uint8_t DragMode = 0;
    bool ResourcesPageLoaded = false;
    gallery::GalleryState gallery;  // Pictures, PictureCount, SelectedPicture, LoadedPicture
    compose::TextRenderState text;  // TextHeight, PreviewScale, FrameRect
    Bitmap ScreenPicture;
    Bitmap PreviewPicture;
    compose::TextLayer TextLayer;
    Bitmap FullPicture;
    compose::StyleControls styles;
    // Page commands that other parts of the program provide; the clicks read them.
    pages::LinkActions actions;
    std::function<void()> listProjects;
    std::unique_ptr<pages::PageClicks> clicks;  // PressNotOnImage, ImageClickDone

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void LoadFirstPicture();
    void CreateControls();
    void WireButtons();
    void BuildGallery();
    void RebuildPicture();
    void FallBackToPictureOne(const std::string& why);
    void LoadPicture(int n);
    void PrepareScreenPictures();
    void ThumbnailDblClick(gallery::ThumbnailControl* t);
    void ShowPreviewPage();
    void ShowResourcesPage();
    void ShowOfflineResources();
    void SetSideButtons(int downPage);
    void ShowBodyPage(const char* body, const char* quote);
    int dpi() const { return services_.screen->info().dpi; }

    Services services_;
    std::unique_ptr<gallery::TformPreview> formPreview_;
    bool firstFramePainted_ = false;
    bool shapeFollowsScreen_ = false;
    BuiltInThumbnails builtInThumbnails_;
};

}  // namespace dorvane::app
