// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up in two halves. The constructor makes what the first frame shows: the
// skin and its buttons, page 1's text and the quotation column under it. The rest
// waits until that frame is painted, and is then made one step per turn of the
// event loop, so the window answers in between:
//  1. pages 2, 4, 5 and 6 (gallery, preview, saved boards, resources) with their
//     texts laid out, and page 4's font list (fontconfig lists every installed
//     family): their controls, fonts and layout were a third of start-up;
//  2. the gallery's pictures placed (their thumbnails decoded on another core
//     meanwhile, from step 1 on) and picture 1 chosen;
//  3. the program icon: six PNG sizes, which only the window manager reads;
//  4. picture 1 loaded and the online check started, both on other threads.
// Before that frame, the font database is read (fontconfig's configuration and
// caches, the families and their fallbacks) on another core while this one
// decodes the skin: warmFontsAhead().
// Anything that needs a part sooner (a page shown, a link run, a page asked for
// by a test or a screen reader) makes the remaining steps at once: finishWindow().
// Late pages go where the constructor used to put them (under the quotation), so
// the controls' order, and with it what a screen reader reads, stays the same.
#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QTimer>
#include <array>
#include <system_error>

#include "app/background_jobs.h"
#include "app/board_model.h"
#include "app/main_window.h"
#include "app/preview_page.h"
#include "app/saved_boards_page.h"
#include "compose/font_families.h"
#include "gallery/builtin_pictures.h"
#include "gallery/gallery_page.h"
#include "htmlview/html_view.h"
#include "pages/resources_viewer.h"
#include "platform/error_report.h"
#include "platform/program_icon.h"

namespace dorvane::app {

std::future<void> MainWindow::warmFontsAhead() {
    try {
        return std::async(std::launch::async, [] {
            // Page 1's text: Arial, plain and bold. The font database is shared and
            // safe between threads; the engines loaded here are this thread's own.
            for (const bool bold : {false, true}) {
                QFont font("Arial");
                font.setPixelSize(13);
                font.setBold(bold);
                QFontMetrics(font).ascent();
            }
        });
    } catch (const std::system_error&) {
        return {};  // no thread to spare: page 1 reads the fonts itself
    }
}

// The steps after the first frame, in their order (see above).
bool MainWindow::runNextStartStep() {
    static constexpr std::array<void (MainWindow::*)(), 4> kSteps = {
        &MainWindow::makePages, &MainWindow::chooseFirstPicture, &MainWindow::setProgramIcon,
        &MainWindow::startFirstPictureAndOnlineCheck};
    if (startStepsDone_ == kSteps.size()) return false;
    // Counted first: a step that fails is not run again.
    (this->*kSteps[startStepsDone_++])();
    return startStepsDone_ < kSteps.size();
}

void MainWindow::finishWindow() {
    while (runNextStartStep()) {
    }
}

void MainWindow::finishWindowLater() {
    QTimer::singleShot(0, this, [this] {
        bool more = true;  // after a step that failed (and said so), the next
        platform::RunCommand([&] { more = runNextStartStep(); });
        if (more) finishWindowLater();
    });
}

void MainWindow::makePages() {
    // Decoded on another core while this step and the next run; the gallery's
    // step takes them. Started sooner, they would slow the first frame.
    builtInThumbnails_.start(gallery::kBuiltInPictureCount);
    resourcesViewer_ = new pages::ResourcesViewer(this);
    resourcesViewer_->setObjectName("WebBrowser");
    resourcesViewer_->setGeometry(kBodyArea.left(), kBodyArea.top(), 1, 412);
    resourcesViewer_->onOpenLink = actions_.openLink;
    galleryPage_ = new gallery::GalleryPage(this, model_->gallery());
    galleryPage_->setGeometry(kBodyArea);
    previewPage_ = new PreviewPage(this, *model_);
    previewPage_->setGeometry(kBodyArea);
    savedBoardsPage_ = new SavedBoardsPage(this, goalsFolder_, *services_.dialogs);
    for (QWidget* page : {static_cast<QWidget*>(galleryPage_), static_cast<QWidget*>(previewPage_),
                          static_cast<QWidget*>(savedBoardsPage_)}) {
        page->stackUnder(quote_);
        page->show();  // made after the window was shown, they would stay hidden
    }
    resourcesViewer_->lower();
    resourcesViewer_->show();
    previewPage_->setShortcutsEnabled(currentPage_ == 4);

    galleryPage_->onPictureChosen = [this](const std::string& name) {
        model_->setPictureName(name);
    };
    galleryPage_->onDoubleClick = [this](gallery::ThumbnailControl* t) {
        thumbnailDoubleClicked(t);
    };
    galleryPage_->inform = [this](const std::string& message) {
        services_.dialogs->inform(message);
    };
    wireSavedBoards();
    // Page 4's command links (preview, save, set as wallpaper) wait while the
    // wallpaper is being set; everything else answers.
    connect(this, &MainWindow::busyChanged, previewPage_,
            [this](bool busy) { previewPage_->bottomText()->setEnabled(!busy); });

    for (htmlview::HtmlView* view :
         {galleryPage_->topText(), galleryPage_->bottomText(), previewPage_->topText(),
          previewPage_->bottomText(), savedBoardsPage_->topText(), savedBoardsPage_->bottomText()})
        clicks_->prepare(*view);
    pages::LoadHtmlPage(*galleryPage_->topText(), "html_body_21");
    pages::LoadHtmlPage(*galleryPage_->bottomText(), "html_body_22");
    pages::LoadHtmlPage(*previewPage_->topText(), "html_body_41");
    pages::LoadHtmlPage(*previewPage_->bottomText(), "html_body_42");
    pages::LoadHtmlPage(*savedBoardsPage_->topText(), "html_body_51");
    pages::LoadHtmlPage(*savedBoardsPage_->bottomText(), "html_body_52");
    makePagesAccessible();
    previewPage_->fillStyleLists(services_.fontFamilies ? services_.fontFamilies()
                                                        : compose::InstalledFontFamilies());
    // An activation reads the lists into the board; the first came before they were.
    if (activated_) previewPage_->readStylesIntoBoard();
}

void MainWindow::chooseFirstPicture() {
    buildGallery();
    galleryPage_->selectThumbnail(galleryPage_->findThumbnail(1));
}

void MainWindow::setProgramIcon() {
    qApp->setWindowIcon(platform::ProgramIcon());
}

void MainWindow::startFirstPictureAndOnlineCheck() {
    // A page that needs the picture sooner waits for it.
    loadSelectedPicture();
    reloadWhenOnline_ = true;
    jobs_->checkOnline(services_.isOnline);
}

}  // namespace dorvane::app
