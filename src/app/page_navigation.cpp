// SPDX-License-Identifier: GPL-3.0-or-later
// ShowPage: the one way the wizard changes its page. It carries the goals from
// the form into the board and back, and rebuilds the picture when the chosen
// one has changed.
#include "app/main_window.h"
#include "gallery/picture_loader.h"
#include "gallery/preview_window.h"
#include "imaging/bitmap_image.h"
#include "imaging/scale.h"
#include "pages/goal_form.h"
#include "platform/error_report.h"

namespace dorvane::app {

void TformMain::SetSideButtons(int downPage) {
    for (int n = 1; n <= 5; ++n) {
        const std::string face = "btn_" + std::to_string(n) + (n == downPage ? "_down" : "_up");
        LoadBitmapResource(chrome->button("imgButton" + std::to_string(n)), face);
    }
}

void TformMain::ShowBodyPage(const char* body, const char* quote) {
    if (quote) pages::LoadHtmlPage(*htmlQuote, quote);
    pages::LoadHtmlPage(*pageHtml->htmlBody, body, services_.resourcesPageUrl);
    pageHtml->htmlBody->positionTo("#top");
}

void TformMain::ShowPage(int page) {
    SetSideButtons(0);
    services_.pacing.pump();
    htmlview::HtmlView& body = *pageHtml->htmlBody;
    body.setScrollBars(htmlview::ScrollBars::None);
    if (page != 1 && page != 6) {
        chrome->skin("imgQuote").raise();
        htmlQuote->raise();
    }
    pageHtml->pageHTML->resize(385, 412);
    body.setMarginWidth(4);
    if (CurrentPage == 3) pages::ReadGoalForm(body.formControls(), CurrentBoard);
    if (page != 6) {
        WebBrowser->resize(1, 412);
        WebBrowser->lower();
    }
    switch (page) {
        case 1:
            SetSideButtons(1);
            pageHtml->pageHTML->resize(chrome->skin("imgQuote").width() + 385, 412);
            body.setScrollBars(htmlview::ScrollBars::Vertical);
            ShowBodyPage("html_body_1", nullptr);
            body.setMarginWidth(17);
            pageHtml->pageHTML->raise();
            break;
        case 2:
            pages::LoadHtmlPage(*htmlQuote, "html_quote_2");
            SetSideButtons(2);
            gallery.LoadedPicture = gallery.SelectedPicture;
            page2->ScrollToPicture(gallery.SelectedPicture);
            page2->raise();
            break;
        case 3:
            pages::LoadHtmlPage(*htmlQuote, "html_quote_3");
            SetSideButtons(3);
            ShowBodyPage("html_body_3", nullptr);
            pages::FillGoalForm(body.formControls(), CurrentBoard);
            pageHtml->pageHTML->raise();
            services_.pacing.pump();
            pages::FocusFirstGoal(body.formControls());
            break;
        case 4:
            ShowPreviewPage();
            break;
        case 5:
            pages::LoadHtmlPage(*htmlQuote, "html_quote_5");
            SetSideButtons(5);
            ListProjects();
            page5->raise();
            break;
        case 6:
            ShowResourcesPage();
            break;
        case 7:
            ShowBodyPage("html_body_7", "html_quote_7");
            pageHtml->pageHTML->raise();
            break;
        default:
            break;
    }
    chrome->raiseButtons();
    services_.pacing.pump();
    if (CurrentPage == 2 && page != 4 && gallery.LoadedPicture != gallery.SelectedPicture)
        RebuildPicture();
    CurrentPage = static_cast<std::uint32_t>(page);
    page4->setShortcutsEnabled(page == 4);
    KeepFocusOnPage();
}

void TformMain::ShowPreviewPage() {
    pages::LoadHtmlPage(*htmlQuote, "html_quote_4");
    SetSideButtons(4);
    page4->raise();
    chrome->raiseButtons();
    services_.pacing.pump();
    if (gallery.LoadedPicture != gallery.SelectedPicture) {
        page4->imgPreview->hide();
        services_.pacing.pump();
        RebuildPicture();
    }
    composer_->render(CurrentBoard);
    RefreshPreview();
    page4->imgPreview->show();
}

void TformMain::OpenResourcesPage() {
    if (!services_.isOnline()) return;
    WebBrowser->navigate(QUrl(QString::fromStdString(services_.resourcesPageUrl)));
    ResourcesPageLoaded = true;
}

void TformMain::ShowResourcesPage() {
    try {
        if (!services_.isOnline()) return ShowOfflineResources();
        if (!ResourcesPageLoaded || WebBrowser->failed()) OpenResourcesPage();  // tried again
        WebBrowser->resize(chrome->skin("imgQuote").width() + 385, 412);
        WebBrowser->raise();
        services_.pacing.pump();
    } catch (const std::exception&) {
        ShowOfflineResources();
    }
}

void TformMain::ShowOfflineResources() {
    // Shrunk as on every other page, or a page shown before would cover the quotation.
    WebBrowser->resize(1, 412);
    WebBrowser->lower();
    ShowBodyPage("html_body_6", "html_quote_6");
    pageHtml->pageHTML->raise();
}

void TformMain::RebuildPicture() {
    try {
        LoadPicture(gallery.SelectedPicture);
    } catch (const std::exception& e) {
        FallBackToPictureOne(e.what());
    }
}

void TformMain::FallBackToPictureOne(const std::string& why) {
    // A picture that cannot be read (its file gone or damaged) must not leave a
    // page half switched: say so, and go on with picture 1.
    platform::ReportError(why);
    page2->SelectThumbnail(page2->FindThumbnail(1));
    LoadPicture(gallery.SelectedPicture);
}

void TformMain::LoadPicture(int n) {
    Bitmap picture;  // a failed load leaves FullPicture as it was
    gallery::LoadGalleryPicture(n, gallery.Pictures, GalleryFolder, picture);
    FullPicture = std::move(picture);
    gallery.LoadedPicture = n;
    PrepareScreenPictures();
}

void TformMain::PrepareScreenPictures() {
    services_.pacing.pump();
    dorvane::PrepareScreenPictures(FullPicture, composer_->screenPicture(),
                                   composer_->previewPicture());
}

void TformMain::ThumbnailDblClick(gallery::ThumbnailControl* t) {
    const platform::ScreenInfo screen = services_.screen->info();
    if (formPreview_) formPreview_->setScreenBounds(screen.width, screen.height);
    page2->SelectThumbnail(t);
    Bitmap picture;
    try {
        gallery::LoadGalleryPicture(gallery.SelectedPicture, gallery.Pictures, GalleryFolder,
                                    picture);
    } catch (const std::exception& e) {
        FallBackToPictureOne(e.what());
        return;
    }
    FullPicture = std::move(picture);
    gallery.LoadedPicture = gallery.SelectedPicture;
    if (formPreview_) {
        formPreview_->setPicture(gallery::ToQImage(FullPicture));
        formPreview_->showModal();
    }
    PrepareScreenPictures();
}

}  // namespace dorvane::app
