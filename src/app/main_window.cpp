// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <utility>

#include "app/accessibility.h"
#include "app/background_jobs.h"
#include "app/board_model.h"
#include "app/focus_ring.h"
#include "app/notice.h"
#include "app/preview_page.h"
#include "app/render_command.h"
#include "app/saved_boards_page.h"
#include "app/saved_preview_twin.h"
#include "compose/board_scaling.h"
#include "gallery/add_picture.h"
#include "gallery/builtin_pictures.h"
#include "gallery/catalogue.h"
#include "gallery/gallery_build.h"
#include "gallery/gallery_page.h"
#include "gallery/preview_window.h"
#include "gallery/thumbnail.h"
#include "htmlview/html_view.h"
#include "pages/resources_viewer.h"
#include "pages/site_config.h"
#include "platform/error_report.h"
#include "platform/files.h"
#include "platform/wallpaper/settle_wait.h"
#include "platform/window_system.h"

namespace dorvane::app {
namespace fs = std::filesystem;

MainWindow::MainWindow(Services services) : services_(std::move(services)) {
    // Before any control exists: Qt keeps the first interface it makes for one.
    InstallAccessibility();
    setObjectName("formMain");
    setWindowTitle("Dorvane");
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    // Wayland has no window shapes: the corners are see-through by their alpha.
    if (platform::IsWayland()) setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kWindowWidth, kWindowHeight);
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    setFont(font);
    // Joined before page 1 is laid out, below.
    std::future<void> fonts = warmFontsAhead();
    model_ = new BoardModel(services_.screen->info(), this);
    jobs_ = new BackgroundJobs(this);
    galleryFolder_ = services_.dataFolder / "MyGallery";
    goalsFolder_ = services_.dataFolder / "MyGoals";
    platform::CreateFolders(galleryFolder_.string() + "/");
    platform::CreateFolders(goalsFolder_.string() + "/");
    createControls();  // the skin with its colour key, page 1's text, the quotation
    chrome_->loadChromeFaces();
    clicks_->prepare(*bodyText());
    // The body view gets page 1 from showPage(1), after its settings. The other
    // pages and picture 1 come after the first frame (main_window_startup.cpp).
    if (fonts.valid()) fonts.wait();
    showPage(1);
    // On Wayland the compositor places the window.
    if (const QScreen* s = QGuiApplication::primaryScreen(); s && !platform::IsWayland())
        move(s->availableGeometry().center() - rect().center());
    makeAccessible();
    wireJobs();
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    // The jobs first: their answers must find no page half gone.
    delete std::exchange(jobs_, nullptr);
    // The pages point into the model: they go first, while it still lives.
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        delete child;
}

void MainWindow::setPreviewWindow(std::unique_ptr<gallery::FullScreenPreview> preview) {
    fullPreview_ = std::move(preview);
}

bool MainWindow::busy() const {
    return jobs_ && jobs_->settingWallpaper();
}

void MainWindow::createControls() {
    chrome_ = std::make_unique<Chrome>(this);
    chrome_->applyMask(this);
    htmlPage_ = std::make_unique<HtmlPage>(this);
    quote_ = new htmlview::HtmlView(this);
    quote_->setObjectName("htmlQuote");
    quote_->setGeometry(516, 128, 144, 265);
    pages::PrepareQuoteView(*quote_);
    for (const SkinPlace& p : kSkinPlaces) chrome_->skin(p.control).lower();
    chrome_->raiseButtons();
    clicks_ = std::make_unique<pages::PageClicks>(actions_);
    wireButtons();
}

// The chrome button's pressed face shows for a moment before its command runs;
// a press meanwhile is refused, so two commands never run inside each other.
void MainWindow::pressButton(const char* control, const char* face, std::function<void()> then) {
    if (buttonPressing_) return;
    buttonPressing_ = true;
    AnimateButtonPress(chrome_->button(control), face, this, [this, then = std::move(then)] {
        buttonPressing_ = false;
        platform::RunCommand(then);
    });
}

void MainWindow::wireButtons() {
    for (int n = 1; n <= 5; ++n)
        chrome_->button("imgButton" + std::to_string(n)).setClickHandler([this, n] {
            showPage(n);
        });
    chrome_->button("imgAddRes").setClickHandler([this] {
        pressButton("imgAddRes", "btn_addRes", [this] { showPage(6); });
    });
    chrome_->button("imgAbout").setClickHandler([this] {
        pressButton("imgAbout", "btn_about", [this] { showPage(7); });
    });
    chrome_->button("imgMin").setClickHandler(
        [this] { pressButton("imgMin", "btn_min", [this] { showMinimized(); }); });
    chrome_->button("imgClose").setClickHandler([this] {
        pressButton("imgClose", "btn_close", [this] { close(); });
    });
    actions_.openLink = [this](const std::string& target) { services_.links->open(target); };
    if (services_.links)
        services_.links->setFailureHandler(
            [notice = QPointer<Notice>(new Notice(this))](const std::string& target) {
                if (notice) notice->say(LinkFailedText(target));
            });
    actions_.showPage = [this](int page) { showPage(page); };
    actions_.findPicture = [this] { addPictureFromDisk(); };
    actions_.preview = [this] { showFullPreview(); };
    actions_.setBackground = [this] { setWallpaper(); };
    actions_.showCredits = [this] {
        services_.links->open(
            pages::PhotoCreditsAddress(QCoreApplication::applicationDirPath().toStdString()));
    };
}

void MainWindow::wireSavedBoards() {
    SavedBoardsPage& page = *savedBoardsPage_;
    page.setToday(services_.today);
    page.setReadContext([this] { return boardContext(); });
    page.setSaver([this](const fs::path& file) {
        compose::GoalBoard board = model_->board();
        const compose::BoardComposer& composer = model_->composer();
        boards::WriteProjectFile(file, board, composer.screenPicture(), composer.textLayer());
    });
    page.setLoader([this](const fs::path& file) { loadBoardFile(file); });
    page.setTwinMaker([this] {
        return [pictures = model_->gallery().Pictures, folder = fs::path(galleryFolder_),
                screen = model_->screen()](const compose::GoalBoard& board, int width, int height) {
            return ComposeSavedPreviewTwin(board, pictures, folder, screen, width, height);
        };
    });
    actions_.saveProject = [this] { savedBoardsPage_->saveProject(); };
    actions_.loadProject = [this] { savedBoardsPage_->loadProject(); };
    actions_.deleteProject = [this] { savedBoardsPage_->deleteProject(); };
}

void MainWindow::wireJobs() {
    connect(jobs_, &BackgroundJobs::pictureReady, this, [this](LoadedPictures& p) {
        platform::RunCommand([&] {
            if (!p.error.empty()) return pictureFailed(p.number, p.error);
            // Fitted for a screen the window has left meanwhile: fit it again.
            const imaging::Bitmap& screen = model_->composer().screenPicture();
            if (p.screen.width() != screen.width() || p.screen.height() != screen.height())
                return loadSelectedPicture();
            model_->setLoadedPicture(p.number, std::move(p.full), std::move(p.screen),
                                     std::move(p.preview));
            pictureLoaded(p.number);
        });
    });
    connect(jobs_, &BackgroundJobs::wallpaperDone, this,
            [this](const compose::WallpaperOutcome& outcome) {
                QApplication::restoreOverrideCursor();
                emit busyChanged(false);
                if (closeWhenIdle_) return qApp->quit();
                services_.dialogs->inform(outcome.message);
            });
    connect(jobs_, &BackgroundJobs::onlineAnswered, this, &MainWindow::onlineAnswered);
    connect(jobs_, &BackgroundJobs::galleryDecoded, this,
            [this](const std::vector<gallery::UserThumbnail>& userFiles) {
                galleryPending_ = false;
                platform::RunCommand([&] {
                    placeGallery(userFiles);
                    for (auto& then : std::exchange(afterGallery_, {})) then();
                });
            });
}

boards::BoardReadContext MainWindow::boardContext() const {
    const platform::ScreenInfo screen = model_->screen();
    return {screen.width, screen.height, previewPage_->fontItems(),
            [this](const std::string& name) {
                return gallery::FindPictureByName(model_->gallery().Pictures, name);
            }};
}

void MainWindow::loadBoardFile(const fs::path& file) {
    // A damaged or unreadable board says so, naming the file, and the current
    // board stays as it was.
    try {
        CheckBoardFile(file);
    } catch (const std::exception& e) {
        services_.dialogs->showError("The goals could not be loaded from " + file.string() +
                                     ".\r\r" + e.what());
        return;
    }
    compose::GoalBoard board;
    boards::ReadProjectFile(file, board, boardContext());
    // A board styled on another screen is edited as it looks on this one.
    const platform::ScreenInfo screen = model_->screen();
    compose::RestyleBoard(board, {screen.width, screen.height}, screen.dpi);
    model_->replaceBoard(std::move(board));
    // Selecting the picture writes its catalogue spelling into the board.
    galleryPage_->selectThumbnail(galleryPage_->findThumbnail(
        gallery::FindPictureByName(model_->gallery().Pictures, model_->board().PicName)));
    loadSelectedPicture();  // a picture that cannot be read falls back to picture 1
    showPage(3);
}

gallery::GallerySource MainWindow::gallerySource() {
    gallery::GallerySource source;
    for (std::string_view name : gallery::kBuiltInPictureNames)
        source.builtInNames.emplace_back(name);
    source.builtInThumbnail = [this](int n) { return builtInThumbnails_.get(n); };
    const fs::path folder = galleryFolder_;
    source.userFiles = [folder] { return platform::FindFiles(folder, "*.jpg"); };
    source.userThumbnail = [folder](const std::string& name) {
        return gallery::ThumbnailFromFile(folder / name);
    };
    return source;
}

void MainWindow::buildGallery(std::function<void()> then) {
    if (then) afterGallery_.push_back(std::move(then));
    // The built-in pictures need no decoding worth a wait: shown at once.
    if (model_->gallery().Pictures.empty()) placeGallery({});
    galleryPending_ = true;
    jobs_->decodeGallery(gallerySource(), services_.galleryThreads);
}

void MainWindow::placeGallery(const std::vector<gallery::UserThumbnail>& userFiles) {
    gallery::GalleryState& state = model_->gallery();
    // The folder as shown already (at start-up, usually none): nothing to redo,
    // and a person already choosing a picture keeps the grid as it is.
    std::vector<std::string> shown, decoded;
    for (const gallery::PictureInfo& p : state.Pictures)
        if (!p.BuiltIn) shown.push_back(p.FileName);
    for (const gallery::UserThumbnail& u : userFiles)
        if (u.ok) decoded.push_back(u.file);
    if (!state.Pictures.empty() && shown == decoded && decoded.size() == userFiles.size()) return;
    // The grid's thumbnails are made anew; the focus stays in the grid.
    const QWidget* focus = QApplication::focusWidget();
    const bool gridHadFocus = focus && (focus == galleryPage_->scrollArea() ||
                                        galleryPage_->scrollArea()->isAncestorOf(focus));
    gallery::PlaceGallery(state.Pictures, state.SelectedPicture, gallerySource(), userFiles,
                          *galleryPage_);
    if (gridHadFocus) galleryPage_->scrollArea()->setFocus();
}

void MainWindow::addPictureFromDisk() {
    finishWindow();
    gallery::AddPictureSteps steps;
    steps.buildGallery = [this](std::function<void()> then) { buildGallery(std::move(then)); };
    steps.selectAndShow = [this](const std::string& key) {
        const int n = gallery::FindPictureByName(model_->gallery().Pictures, key);
        galleryPage_->selectThumbnail(galleryPage_->findThumbnail(n));
        galleryPage_->scrollToPicture(n);
    };
    gallery::AddPictureFromDisk(*services_.dialogs, galleryFolder_.string() + "/", steps);
}

void MainWindow::runLink(const std::string& target) {
    finishWindow();
    pages::RunLinkCommand(target, actions_);
}

void MainWindow::scrollToPicture(int n) {
    finishWindow();
    galleryPage_->scrollToPicture(n);
}

void MainWindow::windowActivated() {
    activated_ = true;
    if (previewPage_) previewPage_->readStylesIntoBoard();
    // The first activation comes before the first frame: the check starts with it.
    if (!firstFramePainted_) return;
    reloadWhenOnline_ = true;
    jobs_->checkOnline(services_.isOnline);
}

void MainWindow::setScreen(const platform::ScreenInfo& screen) {
    if (screen == model_->screen()) return;
    model_->setScreen(screen);
    if (model_->gallery().SelectedPicture > 0) loadSelectedPicture();
}

bool MainWindow::buildingGallery() const {
    return galleryPending_;
}

bool MainWindow::loadingPicture() const {
    return jobs_->pictureLoading() != 0;
}

void MainWindow::keyDown(int qtKey) {
    if (currentPage_ == 2) galleryPage_->keyDown(qtKey);
}

bool MainWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) platform::RunCommand([this] { windowActivated(); });
    if (e->type() == QEvent::Show && !shapeFollowsScreen_) {
        // The native window exists now and is not mapped yet: shape it at its
        // device pixel ratio, and again whenever it moves to another screen.
        shapeFollowsScreen_ = true;
        chrome_->applyMask(this);
        // Page 4 stands for the monitor the window is on.
        connect(windowHandle(), &QWindow::screenChanged, this, [this](QScreen* screen) {
            chrome_->applyMask(this);
            if (screen) platform::RunCommand([&] { setScreen(platform::ScreenInfoOf(*screen)); });
        });
        // The window was made for the primary monitor; shown on another, it follows.
        if (QScreen* screen = windowHandle()->screen(); screen && screen != qApp->primaryScreen())
            platform::RunCommand([&] { setScreen(platform::ScreenInfoOf(*screen)); });
    }
    return QWidget::event(e);
}

void MainWindow::paintEvent(QPaintEvent*) {
    // Under the skin: at ratios between 1 and 2 the edge pixels of its rounded
    // corners are partly see-through, and on X11 they then blend into the frame's
    // own colour rather than a grey. A translucent window (Wayland) shows the
    // desktop there instead.
    if (!testAttribute(Qt::WA_TranslucentBackground))
        QPainter(this).fillRect(rect(), chrome_->frameColour());
}

void MainWindow::closeEvent(QCloseEvent* e) {
    e->ignore();
    if (std::exchange(closeConfirmed_, false)) return closeNow(e);
    if (closeAsked_) return;  // the question is open already
    closeAsked_ = true;
    services_.dialogs->ask(kCloseTitle, kCloseQuestion, platform::BoxIcon::Question,
                           [window = QPointer(this)](bool yes) {
                               if (!window) return;
                               window->closeAsked_ = false;
                               if (!yes) return;
                               // Closed anew once this answer has returned: a close
                               // request inside another one does nothing.
                               window->closeConfirmed_ = true;
                               QTimer::singleShot(0, window, &QWidget::close);
                           });
}

void MainWindow::closeNow(QCloseEvent* e) {
    if (!busy()) return e->accept();
    // The wallpaper is being set: the window goes now, and the program ends as
    // soon as that work is done, within its own time limit, with no file left
    // half written.
    closeWhenIdle_ = true;
    platform::wallpaper::StopSettling();
    hide();
    if (fullPreview_) fullPreview_->hide();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
    if (!firstFramePainted_ && e->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        firstFramePainted_ = true;
        finishWindowLater();
    }
    // Key preview: the window sees each key once, before the focused control,
    // and does not consume it.
    if (e->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        QWidget* focus = QApplication::focusWidget();
        const bool first = focus ? w == focus : w == this;
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (first && w->window() == this) platform::RunCommand([this, key] { keyDown(key); });
    }
    return false;
}

}  // namespace dorvane::app
