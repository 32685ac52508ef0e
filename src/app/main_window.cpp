// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <utility>

#include "app/accessibility.h"
#include "compose/board_scaling.h"
#include "compose/font_families.h"
#include "gallery/add_picture.h"
#include "gallery/builtin_pictures.h"
#include "gallery/catalogue.h"
#include "gallery/gallery_build.h"
#include "gallery/picture_loader.h"
#include "gallery/preview_window.h"
#include "gallery/thumbnail.h"
#include "imaging/fit.h"
#include "imaging/jpeg.h"
#include "platform/error_report.h"
#include "platform/files.h"
#include "platform/window_system.h"

namespace dorvane::app {
namespace fs = std::filesystem;

TformMain::TformMain(Services services) : services_(std::move(services)) {
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
    FormCreate();
    MakeAccessible();
    qApp->installEventFilter(this);
}

TformMain::~TformMain() {
    qApp->removeEventFilter(this);
    // The pages point into the fields of this window (the gallery state, the
    // clicks and their commands): they go first, while those fields still live.
    while (QWidget* child = findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        delete child;
    page4 = nullptr;  // deleted with the other children
    page5 = nullptr;
}

void TformMain::setPreviewWindow(std::unique_ptr<gallery::TformPreview> preview) {
    formPreview_ = std::move(preview);
}

void TformMain::FormCreate() {
    // Decoded meanwhile on another core; BuildGallery below takes them.
    builtInThumbnails_.start(gallery::kBuiltInPictureCount);
    gallery.Pictures.clear();
    CurrentPage = 0;
    ProgramPath = services_.programPath.string();
    ResourcesPageLoaded = false;
    const platform::ScreenInfo screen = services_.screen->info();
    CurrentBoard = compose::NewBoard(screen.width);
    FullPicture = Bitmap();
    composer_ = std::make_unique<compose::BoardComposer>(screen.width, screen.height, screen.dpi,
                                                         screen.ratio);
    undo_.clear();
    GalleryFolder = (services_.dataFolder / "MyGallery").string() + "/";
    GoalsFolder = (services_.dataFolder / "MyGoals").string() + "/";
    platform::CreateFolders(GalleryFolder);
    platform::CreateFolders(GoalsFolder);
    CreateControls();  // the skin with its colour key, the panels, the browser
    chrome->loadChromeFaces();
    for (htmlview::HtmlView* view :
         {pageHtml->htmlBody, page2->htmlBody21, page2->htmlBody22, page4->htmlBody41,
          page4->htmlBody42, page5->htmlBody51, page5->htmlBody52})
        clicks->prepare(*view);
    // The body view gets page 1 from ShowPage(1) below, after its settings.
    pages::LoadHtmlPage(*page2->htmlBody21, "html_body_21");
    pages::LoadHtmlPage(*page2->htmlBody22, "html_body_22");
    pages::LoadHtmlPage(*page4->htmlBody41, "html_body_41");
    pages::LoadHtmlPage(*page4->htmlBody42, "html_body_42");
    pages::LoadHtmlPage(*page5->htmlBody51, "html_body_51");
    pages::LoadHtmlPage(*page5->htmlBody52, "html_body_52");
    compose::FillFontList(styles, services_.fontFamilies ? services_.fontFamilies()
                                                         : compose::InstalledFontFamilies());
    page4->fillStyleLists(styles);
    BuildGallery();
    clicks->ImageClickDone = false;
    ShowPage(1);
    services_.pacing.pump();
    page2->SelectThumbnail(page2->FindThumbnail(1));
    // Loading picture 1 waits for the first frame (LoadFirstPicture): the window
    // shows sooner, and a page that needs the picture earlier loads it itself.
    // On Wayland the compositor places the window.
    if (const QScreen* s = QGuiApplication::primaryScreen(); s && !platform::IsWayland())
        move(s->availableGeometry().center() - rect().center());
}

void TformMain::LoadFirstPicture() {
    if (gallery.LoadedPicture != gallery.SelectedPicture) RebuildPicture();
}

void TformMain::CreateControls() {
    chrome = std::make_unique<Chrome>(this);
    chrome->applyMask(this);
    WebBrowser = new pages::ResourcesViewer(this);
    WebBrowser->setObjectName("WebBrowser");
    WebBrowser->setGeometry(kBodyArea.left(), kBodyArea.top(), 1, 412);
    pageHtml = std::make_unique<HtmlPage>(this);
    page2 = new gallery::GalleryPage(this, gallery);
    page2->setGeometry(kBodyArea);
    page4 = new PreviewPage(this);
    page4->setGeometry(kBodyArea);
    page5 = new SavedBoardsPage(this, GoalsFolder, *services_.dialogs, services_.pacing);
    WebBrowser->lower();
    htmlQuote = new htmlview::HtmlView(this);
    htmlQuote->setObjectName("htmlQuote");
    htmlQuote->setGeometry(516, 128, 144, 265);
    pages::PrepareQuoteView(*htmlQuote);
    for (const SkinPlace& p : kSkinPlaces) chrome->skin(p.control).lower();
    chrome->raiseButtons();
    clicks = std::make_unique<pages::PageClicks>(services_.pacing, actions);
    WireButtons();
}

void TformMain::WireButtons() {
    for (int n = 1; n <= 5; ++n)
        chrome->button("imgButton" + std::to_string(n)).onClick = [this, n] { ShowPage(n); };
    chrome->button("imgAddRes").onClick = [this] {
        AnimateButtonPress(chrome->button("imgAddRes"), "btn_addRes", services_.pacing);
        ShowPage(6);
    };
    chrome->button("imgAbout").onClick = [this] {
        AnimateButtonPress(chrome->button("imgAbout"), "btn_about", services_.pacing);
        ShowPage(7);
    };
    chrome->button("imgMin").onClick = [this] {
        AnimateButtonPress(chrome->button("imgMin"), "btn_min", services_.pacing);
        services_.pacing.pause(50);
        showMinimized();
    };
    chrome->button("imgClose").onClick = [this] {
        AnimateButtonPress(chrome->button("imgClose"), "btn_close", services_.pacing);
        services_.pacing.pause(50);
        close();
    };
    page2->onPictureChosen = [this](const std::string& name) { CurrentBoard.PicName = name; };
    page2->onDoubleClick = [this](gallery::ThumbnailControl* t) { ThumbnailDblClick(t); };
    page2->inform = [this](const std::string& message) { services_.dialogs->inform(message); };
    actions.openLink = [this](const std::string& target) { services_.links->open(target); };
    WebBrowser->onOpenLink = actions.openLink;
    actions.showPage = [this](int page) { ShowPage(page); };
    actions.findPicture = [this] { AddPictureFromDisk(); };
    WirePreviewPage();
    WireSavedBoards();
}

void TformMain::WireSavedBoards() {
    page5->today = services_.today;
    page5->readContext = [this] { return BoardContext(); };
    page5->saveBoard = [this](const fs::path& file) {
        boards::WriteProjectFile(file, CurrentBoard, screenPicture(), textLayer());
    };
    page5->loadBoard = [this](const fs::path& file) { LoadBoardFile(file); };
    actions.saveProject = [this] { SaveProject(); };
    actions.loadProject = [this] { LoadProject(); };
    actions.deleteProject = [this] { DeleteProject(); };
}

boards::BoardReadContext TformMain::BoardContext() const {
    const platform::ScreenInfo screen = services_.screen->info();
    return {screen.width, screen.height, styles.cbFont.items, [this](const std::string& name) {
                return gallery::FindPictureByName(gallery.Pictures, name);
            }};
}

void TformMain::LoadBoardFile(const fs::path& file) {
    boards::ReadProjectFile(file, CurrentBoard, BoardContext());
    // A board styled on another screen is edited as it looks on this one.
    const platform::ScreenInfo screen = services_.screen->info();
    compose::RestyleBoard(CurrentBoard, {screen.width, screen.height}, screen.dpi);
    ShowBoardStyle();
    clearUndo();
    // Selecting the picture writes its catalogue spelling into the board.
    page2->SelectThumbnail(
        page2->FindThumbnail(gallery::FindPictureByName(gallery.Pictures, CurrentBoard.PicName)));
    RebuildPicture();  // a picture that cannot be read falls back to picture 1
    ShowPage(3);
}

void TformMain::BuildGallery() {
    gallery::GallerySource source;
    for (std::string_view name : gallery::kBuiltInPictureNames)
        source.builtInNames.emplace_back(name);
    source.builtInThumbnail = [this](int n) { return builtInThumbnails_.get(n); };
    const fs::path folder = GalleryFolder;
    source.userFiles = [folder] { return platform::FindFiles(folder, "*.jpg"); };
    source.userThumbnail = [folder](const std::string& name) {
        return gallery::ThumbnailFromFile(folder / name);
    };
    gallery::BuildGallery(gallery.Pictures, gallery.SelectedPicture, source, *page2,
                          services_.galleryThreads);
}

void TformMain::AddPictureFromDisk() {
    gallery::AddPictureSteps steps;
    steps.buildGallery = [this] { BuildGallery(); };
    steps.selectAndShow = [this](const std::string& key) {
        const int n = gallery::FindPictureByName(gallery.Pictures, key);
        page2->SelectThumbnail(page2->FindThumbnail(n));
        page2->ScrollToPicture(n);
    };
    gallery::AddPictureFromDisk(*services_.dialogs, GalleryFolder, steps);
}

void TformMain::FormActivate() {
    ReadStyleControls();
    services_.pacing.pump();
    // The first activation comes before the first frame: the check, which may wait
    // for the DNS, runs once the window shows (see eventFilter).
    if (!firstFramePainted_) return (void)(openAfterFirstFrame_ = true);
    OpenResourcesPage();
}

void TformMain::FormKeyDown(int qtKey) {
    if (CurrentPage != 2) return;
    page2->keyDown(qtKey);
}

bool TformMain::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) platform::RunCommand([this] { FormActivate(); });
    if (e->type() == QEvent::Show && !shapeFollowsScreen_) {
        // The native window exists now and is not mapped yet: shape it at its
        // device pixel ratio, and again whenever it moves to another screen.
        shapeFollowsScreen_ = true;
        chrome->applyMask(this);
        connect(windowHandle(), &QWindow::screenChanged, this, [this] { chrome->applyMask(this); });
    }
    return QWidget::event(e);
}

void TformMain::paintEvent(QPaintEvent*) {
    // Under the skin: at ratios between 1 and 2 the edge pixels of its rounded
    // corners are partly see-through, and on X11 they then blend into the frame's
    // own colour rather than a grey. A translucent window (Wayland) shows the
    // desktop there instead.
    if (!testAttribute(Qt::WA_TranslucentBackground))
        QPainter(this).fillRect(rect(), chrome->frameColour());
}

void TformMain::closeEvent(QCloseEvent* e) {
    if (services_.dialogs->ask(kCloseTitle, kCloseQuestion, platform::BoxIcon::Question))
        e->accept();
    else
        e->ignore();
}

bool TformMain::eventFilter(QObject* watched, QEvent* e) {
    // Key preview: the window sees each key once, before the focused control,
    // and does not consume it.
    if (!firstFramePainted_ && e->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        firstFramePainted_ = true;
        QTimer::singleShot(0, this, [this] {
            platform::RunCommand([this] { LoadFirstPicture(); });
            if (std::exchange(openAfterFirstFrame_, false)) OpenResourcesPage();
        });
    }
    if (e->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        QWidget* focus = QApplication::focusWidget();
        const bool first = focus ? w == focus : w == this;
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (first && w->window() == this) platform::RunCommand([this, key] { FormKeyDown(key); });
    }
    return false;
}

}  // namespace dorvane::app
