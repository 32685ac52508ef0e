// SPDX-License-Identifier: GPL-3.0-or-later
// The page views: their settings, their texts from the program's resources, the
// images they ask for by name, and the pressed face of a clicked button image,
// which the link command of that image waits for.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "htmlview/html_view.h"
#include "pages/link_commands.h"
#include "pages/page_images.h"
#include "pages/site_config.h"

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

// The page views' clicks: the pressed face of a clicked button image and the link
// dispatch. The link command of a button image runs once its pressed face has
// been shown (70 ms) and taken back (50 ms more); timers, not waits, so the
// window answers meanwhile. A second click while a command waits is refused.
class PageClicks {
public:
    // `actions` is read at each click, so commands set later are found; it must
    // outlive this object.
    explicit PageClicks(const LinkActions& actions);
    ~PageClicks();

    // The settings and the events of a page view.
    void prepare(htmlview::HtmlView& view);

    void imageClicked(htmlview::HtmlView& view, int image);
    void linkClicked(const QString& target);
    // A pressed face is showing; a link clicked meanwhile waits for it.
    bool feedbackRunning() const { return feedbackRunning_; }

private:
    void feedbackDone();

    const LinkActions& actions_;
    std::unique_ptr<QObject> timers_;  // ends the timers with this object
    bool feedbackRunning_ = false;
    std::optional<std::string> waiting_;  // the link that runs after the feedback
};

}  // namespace dorvane::pages
