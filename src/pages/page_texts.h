// SPDX-License-Identifier: GPL-3.0-or-later
// The page views: their settings, their texts from the program's resources, the
// images they ask for by name, and the pressed face of a clicked button image,
// which the link command of that image waits for.
#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>
#include <string>
#include <string_view>

#include "htmlview/html_view.h"
#include "pages/link_commands.h"
#include "pages/page_images.h"
#include "pages/site_config.h"
#include "platform/pacing.h"

namespace dorvane::pages {

// htmlBodyImageRequest: the bytes of the resource an image name names.
QByteArray ImageRequest(const QString& imageName);

// Shows the "HTML" resource `name` in the view (document, scroll position and
// form controls replaced), its links to the resources page leading to
// `resourcesPageUrl`, the configured site's.
void LoadHtmlPage(htmlview::HtmlView& view, std::string_view name,
                  std::string_view resourcesPageUrl = kResourcesPageUrl);

// The quotation view's fixed settings (it has no event handlers).
void PrepareQuoteView(htmlview::HtmlView& view);

// The page views' clicks: the two flags of the pressed-face handshake and the
// link dispatch.
class PageClicks {
public:
    // `actions` is read at each click, so commands set later are found; it must
    // outlive this object.
    PageClicks(platform::Pacing pacing, const LinkActions& actions)
        : pacing_(std::move(pacing)), actions_(actions) {}

    // PrepareHtmlView: settings and the four events of a page view.
    void prepare(htmlview::HtmlView& view);

    void htmlBodyMouseDown(htmlview::HtmlView& view, QPoint pos);
    void htmlBodyImageClick(htmlview::HtmlView& view, int image);
    void htmlBodyHotSpotClick(htmlview::HtmlView& view, const QString& target, bool& handled);

    // The longest wait for a pressed face; the feedback itself takes 120 ms.
    static constexpr std::chrono::milliseconds kLinkWaitLimit{500};

    bool PressNotOnImage = false;
    bool ImageClickDone = false;

private:
    platform::Pacing pacing_;
    const LinkActions& actions_;
};

}  // namespace dorvane::pages
