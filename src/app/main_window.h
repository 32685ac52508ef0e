// SPDX-License-Identifier: GPL-3.0-or-later
// MainWindow: the borderless, skinned main window. It creates the board model and
// the pages and wires them together, switches the pages and starts the commands;
// the board lives in the model and each page's work in the page's own class.
// Slow work (the photograph, the wallpaper, the online check) runs on other
// threads and reports back here.
#pragma once

#include <QDate>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "app/builtin_thumbnails.h"
#include "app/chrome.h"
#include "app/page_panels.h"
#include "app/tab_order.h"
#include "boards/project_file.h"
#include "compose/monitor_wallpaper.h"
#include "pages/page_texts.h"
#include "pages/site_config.h"
#include "platform/desktop_wallpaper.h"
#include "platform/dialogs.h"
#include "platform/links.h"
#include "platform/monitors.h"
#include "platform/screen.h"

namespace dorvane::gallery {
class FullScreenPreview;
class GalleryPage;
class ThumbnailControl;
}  // namespace dorvane::gallery
namespace dorvane::htmlview {
class HtmlView;
}
namespace dorvane::pages {
class ResourcesViewer;
}

namespace dorvane::app {

class BoardModel;
class BackgroundJobs;
class FocusRing;
class PreviewPage;
class SavedBoardsPage;

inline constexpr const char* kCloseTitle = "Close application";
inline constexpr const char* kCloseQuestion =
    "All your unsaved work might be lost.\r\rDo you really want to exit Dorvane?";

// What the window needs from outside; tests pass their own. The online check and
// the desktop's wallpaper setter are called on worker threads.
struct Services {
    platform::Screen* screen = nullptr;
    platform::Dialogs* dialogs = nullptr;
    platform::LinkOpener* links = nullptr;
    std::filesystem::path programPath;  // the executable
    std::filesystem::path dataFolder;   // where MyGallery/ and MyGoals/ go
    std::function<std::vector<std::string>()> fontFamilies;
    std::function<bool()> isOnline = [] { return false; };
    // Has the desktop show the wallpaper file; the desktop backends provide it.
    std::function<platform::wallpaper::Outcome(const QString& absPath)> setDesktopWallpaper =
        [](const QString&) {
            return platform::wallpaper::Outcome{false,
                                                QStringLiteral("no supported desktop was found")};
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

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(Services services);
    ~MainWindow() override;

    // The full-screen preview window, made after this window and owned by it.
    void setPreviewWindow(std::unique_ptr<gallery::FullScreenPreview> preview);
    gallery::FullScreenPreview* previewWindow() const { return fullPreview_.get(); }

    BoardModel& model() { return *model_; }
    const BoardModel& model() const { return *model_; }
    int currentPage() const { return currentPage_; }
    const std::filesystem::path& galleryFolder() const { return galleryFolder_; }
    const std::filesystem::path& goalsFolder() const { return goalsFolder_; }

    // The pages and controls, for keyboard access, screen readers and tests.
    Chrome& chrome() { return *chrome_; }
    htmlview::HtmlView* bodyText() const { return htmlPage_->view(); }
    QWidget* bodyPanel() const { return htmlPage_->panel(); }
    htmlview::HtmlView* quoteText() const { return quote_; }
    // Made after the first frame (main_window_startup.cpp); asking makes them now.
    gallery::GalleryPage* galleryPage() { return finishWindow(), galleryPage_; }
    PreviewPage* previewPage() { return finishWindow(), previewPage_; }
    SavedBoardsPage* savedBoardsPage() { return finishWindow(), savedBoardsPage_; }
    pages::ResourcesViewer* resourcesViewer() { return finishWindow(), resourcesViewer_; }
    pages::PageClicks& pageClicks() { return finishWindow(), *clicks_; }
    bool resourcesPageLoaded() const { return resourcesPageLoaded_; }
    FocusRing* focusRing() const { return focusRing_; }
    // True while a slow command (setting the wallpaper) runs.
    bool busy() const;
    // True while a chrome button shows its pressed face, before its command runs.
    bool pressingButton() const { return buttonPressing_; }
    // True while the chosen photograph is decoded.
    bool loadingPicture() const;
    // True while the gallery folder's thumbnails are decoded.
    bool buildingGallery() const;

    // Keyboard access: the Tab stops of the page shown, in order, and the page
    // control on top of the body area.
    std::vector<FocusStop> tabStops();
    QWidget* shownPage() const;

    void showPage(int page);
    // Runs the command of a page text's link ("saveProject", "linkPage4", …).
    void runLink(const std::string& target);
    void addPictureFromDisk();
    void scrollToPicture(int n);
    // The "preview" command: the composed board full screen until a click or key.
    void showFullPreview();
    // The "setbackground" command: asks, then writes the composed board as the
    // wallpaper file in the data folder and has the desktop show it, on another
    // thread; the window answers meanwhile.
    void setWallpaper();  // asks first
    void startWallpaper();
    // The window is now on a screen of these metrics (it moved to another
    // monitor): page 4 is composed anew for it.
    void setScreen(const platform::ScreenInfo& screen);

signals:
    // A slow command began or ended (the busy cursor and page 4's buttons follow).
    void busyChanged(bool busy);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void closeNow(QCloseEvent* event);
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Start-up in two halves (main_window_startup.cpp): what the first frame
    // does not need is made after it, a step per turn of the event loop, or at
    // once by finishWindow() when something needs it sooner.
    static std::future<void> warmFontsAhead();
    void finishWindow();
    void finishWindowLater();
    bool runNextStartStep();
    void makePages();
    void chooseFirstPicture();
    void setProgramIcon();
    void startFirstPictureAndOnlineCheck();
    void makeAccessible();
    void makePagesAccessible();
    void keepFocusOnPage();
    void focusPageStart();  // the shown page's first stop
    void createControls();
    void wireButtons();
    void wireSavedBoards();
    void wireJobs();
    // Shows the built-in pictures at once when none are shown yet, and the gallery
    // folder's once their thumbnails are decoded off this thread; then runs `then`.
    void buildGallery(std::function<void()> then = {});
    void placeGallery(const std::vector<gallery::UserThumbnail>& userFiles);
    gallery::GallerySource gallerySource();
    void windowActivated();
    void keyDown(int qtKey);
    boards::BoardReadContext boardContext() const;
    void loadBoardFile(const std::filesystem::path& file);
    void loadSelectedPicture();
    void pictureLoaded(int number);
    void pictureFailed(int number, const std::string& why);
    void thumbnailDoubleClicked(gallery::ThumbnailControl* t);
    void showPreviewPage();
    void showResourcesPage();
    void showKnownResources();
    void showOfflineResources();
    void onlineAnswered(bool online);
    void setSideButtons(int downPage);
    void showBodyPage(const char* body, const char* quote);
    void pressButton(const char* control, const char* face, std::function<void()> then);

    Services services_;
    std::filesystem::path galleryFolder_;
    std::filesystem::path goalsFolder_;
    BoardModel* model_ = nullptr;
    std::unique_ptr<Chrome> chrome_;
    std::unique_ptr<HtmlPage> htmlPage_;
    gallery::GalleryPage* galleryPage_ = nullptr;
    PreviewPage* previewPage_ = nullptr;
    SavedBoardsPage* savedBoardsPage_ = nullptr;
    pages::ResourcesViewer* resourcesViewer_ = nullptr;
    htmlview::HtmlView* quote_ = nullptr;
    FocusRing* focusRing_ = nullptr;
    pages::LinkActions actions_;
    std::unique_ptr<pages::PageClicks> clicks_;
    BackgroundJobs* jobs_ = nullptr;
    std::unique_ptr<gallery::FullScreenPreview> fullPreview_;
    std::vector<std::function<void()>> afterGallery_;  // waiting for the gallery's build
    bool galleryPending_ = false;
    int currentPage_ = 0;
    bool resourcesPageLoaded_ = false;
    bool firstFramePainted_ = false;
    std::size_t startStepsDone_ = 0;  // of the steps after the first frame
    bool activated_ = false;          // the window has been active
    bool shapeFollowsScreen_ = false;
    bool fullPreviewWaits_ = false;    // a double-clicked picture shows once it is loaded
    bool reloadWhenOnline_ = false;    // an activation asked: load the web page again
    bool closeWhenIdle_ = false;       // closed while a command ran: quit when it ends
    bool previewAwaitsFocus_ = false;  // page 4 opened before its preview was ready
    bool closeAsked_ = false;          // the close question is open
    bool closeConfirmed_ = false;      // answered Yes: the next close request closes
    bool buttonPressing_ = false;      // a chrome button's pressed face is showing
    BuiltInThumbnails builtInThumbnails_;
};

}  // namespace dorvane::app
