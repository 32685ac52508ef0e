// SPDX-License-Identifier: GPL-3.0-or-later
// showPage: the one way the wizard changes its page. It carries the goals from
// the form into the board and back, and has the chosen photograph loaded when
// it has changed. Also the commands that show the board: the full-screen
// preview and the wallpaper.
#include <QApplication>
#include <QPointer>

#include "app/background_jobs.h"
#include "app/board_model.h"
#include "app/focus_ring.h"
#include "app/main_window.h"
#include "app/preview_page.h"
#include "app/saved_boards_page.h"
#include "gallery/gallery_page.h"
#include "gallery/preview_window.h"
#include "htmlview/html_view.h"
#include "imaging/bitmap_image.h"
#include "pages/goal_form.h"
#include "pages/resources_viewer.h"
#include "platform/error_report.h"

namespace dorvane::app {

void MainWindow::setSideButtons(int downPage) {
    for (int n = 1; n <= 5; ++n) {
        const std::string face = "btn_" + std::to_string(n) + (n == downPage ? "_down" : "_up");
        LoadBitmapResource(chrome_->button("imgButton" + std::to_string(n)), face);
    }
}

void MainWindow::showBodyPage(const char* body, const char* quote) {
    if (quote) pages::LoadHtmlPage(*quote_, quote);
    pages::LoadHtmlPage(*bodyText(), body, services_.resourcesPageUrl);
    bodyText()->positionTo("#top");
}

void MainWindow::showPage(int page) {
    if (page != 1) finishWindow();  // page 1 is the first frame's
    setSideButtons(0);
    htmlview::HtmlView& body = *bodyText();
    body.setScrollBars(htmlview::ScrollBars::None);
    if (page != 1 && page != 6) {
        chrome_->skin("imgQuote").raise();
        quote_->raise();
    }
    bodyPanel()->resize(385, 412);
    body.setMarginWidth(4);
    if (currentPage_ == 3) {
        compose::GoalBoard goals = model_->board();
        pages::ReadGoalForm(body.formControls(), goals);
        model_->setGoals(goals);
    }
    if (page != 6 && resourcesViewer_) {
        resourcesViewer_->resize(1, 412);
        resourcesViewer_->lower();
    }
    switch (page) {
        case 1:
            setSideButtons(1);
            bodyPanel()->resize(chrome_->skin("imgQuote").width() + 385, 412);
            body.setScrollBars(htmlview::ScrollBars::Vertical);
            showBodyPage("html_body_1", nullptr);
            body.setMarginWidth(17);
            bodyPanel()->raise();
            break;
        case 2: {
            pages::LoadHtmlPage(*quote_, "html_quote_2");
            setSideButtons(2);
            galleryPage_->scrollToPicture(model_->gallery().SelectedPicture);
            galleryPage_->raise();
            break;
        }
        case 3:
            pages::LoadHtmlPage(*quote_, "html_quote_3");
            setSideButtons(3);
            showBodyPage("html_body_3", nullptr);
            pages::FillGoalForm(body.formControls(), model_->board());
            bodyPanel()->raise();
            pages::FocusFirstGoal(body.formControls());
            break;
        case 4:
            showPreviewPage();
            break;
        case 5:
            pages::LoadHtmlPage(*quote_, "html_quote_5");
            setSideButtons(5);
            savedBoardsPage_->listProjects();
            savedBoardsPage_->raise();
            break;
        case 6:
            showResourcesPage();
            break;
        case 7:
            showBodyPage("html_body_7", "html_quote_7");
            bodyPanel()->raise();
            break;
        default:
            break;
    }
    chrome_->raiseButtons();
    const bool leftGallery = currentPage_ == 2 && page != 4;
    currentPage_ = page;
    if (leftGallery) loadSelectedPicture();
    if (previewPage_) previewPage_->setShortcutsEnabled(page == 4);
    keepFocusOnPage();
}

void MainWindow::showPreviewPage() {
    pages::LoadHtmlPage(*quote_, "html_quote_4");
    setSideButtons(4);
    previewPage_->raise();
    chrome_->raiseButtons();
    previewAwaitsFocus_ = false;
    if (model_->pictureLoaded() && !jobs_->pictureLoading()) return previewPage_->showComposed();
    // "Generating preview..." until the photograph is ready (pictureLoaded).
    previewPage_->showWaiting();
    previewAwaitsFocus_ = true;
    loadSelectedPicture();
}

void MainWindow::loadSelectedPicture() {
    const BoardModel& model = *model_;
    if (model.pictureLoaded() && !jobs_->pictureLoading())
        return pictureLoaded(model.gallery().LoadedPicture);
    const compose::BoardComposer& composer = model.composer();
    const imaging::Bitmap& screen = composer.screenPicture();
    const imaging::Bitmap& preview = composer.previewPicture();
    jobs_->loadPicture(model.gallery().SelectedPicture, model.gallery().Pictures, galleryFolder_,
                       QSize(screen.width(), screen.height()),
                       QSize(preview.width(), preview.height()));
}

void MainWindow::pictureLoaded(int number) {
    if (number != model_->gallery().SelectedPicture) return loadSelectedPicture();
    if (currentPage_ == 4) {
        // Opened while the photograph loaded, the page gave the focus to its
        // first list; the preview, now there, takes it unless the person has
        // moved it meanwhile.
        const bool focusUnmoved =
            std::exchange(previewAwaitsFocus_, false) && CurrentStop(PanelStops(previewPage_)) == 0;
        previewPage_->showComposed();
        if (focusUnmoved) focusPageStart();
    }
    if (std::exchange(fullPreviewWaits_, false) && fullPreview_) {
        fullPreview_->setPicture(imaging::ToQImage(model_->fullPicture()));
        fullPreview_->present();
    }
}

void MainWindow::pictureFailed(int number, const std::string& why) {
    // A picture that cannot be read (its file gone or damaged) must not leave a
    // page half switched: say so, and go on with picture 1.
    platform::ReportError(why);
    fullPreviewWaits_ = false;
    if (number == 1) return;  // nothing to fall back to
    galleryPage_->selectThumbnail(galleryPage_->findThumbnail(1));
    loadSelectedPicture();
}

void MainWindow::thumbnailDoubleClicked(gallery::ThumbnailControl* t) {
    if (fullPreview_) fullPreview_->placeOn(this->screen());
    galleryPage_->selectThumbnail(t);
    fullPreviewWaits_ = true;
    loadSelectedPicture();
}

void MainWindow::showFullPreview() {
    if (!fullPreview_) return;
    fullPreview_->placeOn(screen());
    fullPreview_->setPicture(imaging::ToQImage(model_->composer().composeScreen()));
    fullPreview_->present();
}

void MainWindow::setWallpaper() {
    if (busy()) return;  // one at a time: its message comes when it is done
    services_.dialogs->ask(compose::kWallpaperQuestionTitle, compose::kWallpaperQuestion,
                           platform::BoxIcon::None, [window = QPointer(this)](bool yes) {
                               if (window && yes) window->startWallpaper();
                           });
}

void MainWindow::startWallpaper() {
    if (busy()) return;
    const compose::BoardComposer& composer = model_->composer();
    const std::vector<platform::Monitor> monitors =
        services_.listMonitors ? services_.listMonitors() : std::vector<platform::Monitor>();
    if (monitors.size() > 1 && services_.setMonitorWallpapers) {
        // Each monitor its own composition of the board as styled on this screen.
        compose::MonitorWallpaperJob job;
        job.board = model_->board();
        job.board.ScreenWidth = composer.screenWidth();
        job.board.ScreenHeight = composer.screenHeight();
        job.monitors = monitors;
        job.styledFallback = {composer.screenWidth(), composer.screenHeight()};
        job.dpi = model_->screen().dpi;
        job.folder = services_.dataFolder;
        jobs_->setMonitorWallpapers(std::move(job), model_->fullPicture(),
                                    services_.setMonitorWallpapers);
    } else {
        jobs_->setWallpaper(composer.screenPicture(), composer.textLayer(), services_.dataFolder,
                            services_.setDesktopWallpaper);
    }
    QApplication::setOverrideCursor(Qt::BusyCursor);
    emit busyChanged(true);
}

void MainWindow::onlineAnswered(bool online) {
    // The page loads in the background once the computer is known to be online;
    // page 6, if shown meanwhile with its local text, switches to it.
    if (!online) {
        reloadWhenOnline_ = false;
        if (currentPage_ == 6) showKnownResources();  // the local page after all
        return;
    }
    // Each activation loads the page again; page 6 when it never was or failed
    // (tried again).
    if (std::exchange(reloadWhenOnline_, false) || !resourcesPageLoaded_ ||
        resourcesViewer_->failed()) {
        resourcesViewer_->navigate(QUrl(QString::fromStdString(services_.resourcesPageUrl)));
        resourcesPageLoaded_ = true;
    }
    if (currentPage_ == 6) showKnownResources();
}

void MainWindow::showResourcesPage() {
    jobs_->checkOnline(services_.isOnline);
    showKnownResources();
}

void MainWindow::showKnownResources() {
    // What is known now shows at once: the web page when the computer was last
    // found online, else the local page; the check under way may switch it later.
    if (!jobs_->lastOnline().value_or(false) || !resourcesPageLoaded_)
        return showOfflineResources();
    resourcesViewer_->resize(chrome_->skin("imgQuote").width() + 385, 412);
    resourcesViewer_->raise();
    chrome_->raiseButtons();
    keepFocusOnPage();
}

void MainWindow::showOfflineResources() {
    // Shrunk as on every other page, or a page shown before would cover the quotation.
    resourcesViewer_->resize(1, 412);
    resourcesViewer_->lower();
    showBodyPage("html_body_6", "html_quote_6");
    bodyPanel()->raise();
}

}  // namespace dorvane::app
