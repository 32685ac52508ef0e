// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/page_texts.h"

#include <QPointer>
#include <QTimer>
#include <utility>

#include "platform/bitmap_resource.h"
#include "platform/error_report.h"
#include "platform/resources.h"

namespace dorvane::pages {

QByteArray ImageRequest(const QString& imageName) {
    const std::string name = imageName.toStdString();
    const platform::ResourceBytes bytes = platform::LoadResource(ImageResourceType(name), name);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

void LoadHtmlPage(htmlview::HtmlView& view, std::string_view name,
                  std::string_view resourcesPageUrl) {
    const platform::ResourceBytes bytes = platform::LoadResource("HTML", name);
    const std::string page = WithResourcesPageUrl(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
        resourcesPageUrl);
    view.loadFromString(QByteArray(page.data(), static_cast<qsizetype>(page.size())));
}

void PrepareQuoteView(htmlview::HtmlView& view) {
    htmlview::ViewSettings s;
    s.marginWidth = 3;
    s.marginHeight = 0;
    s.defFontName = "Arial";
    s.defFontSize = 10;
    s.defPreFontName = "Courier New";
    s.defBackground = QColor(243, 238, 207);
    s.scrollBars = htmlview::ScrollBars::None;
    s.charSet = 238;
    s.viewImages = false;
    s.noSelect = false;
    view.setSettings(s);
    view.setFrameShape(QFrame::NoFrame);
}

PageClicks::PageClicks(const LinkActions& actions)
    : actions_(actions), timers_(std::make_unique<QObject>()) {}

PageClicks::~PageClicks() = default;

void PageClicks::prepare(htmlview::HtmlView& view) {
    htmlview::ViewSettings s;
    s.marginWidth = 4;
    s.marginHeight = 2;
    s.defFontName = "Arial";
    s.defFontSize = 10;
    s.defPreFontName = "Arial";
    s.defBackground = QColor(255, 255, 255);
    s.scrollBars = htmlview::ScrollBars::None;
    s.charSet = 238;
    s.viewImages = true;
    s.noSelect = false;
    view.setSettings(s);
    view.setFrameShape(QFrame::NoFrame);
    // The commands of the links report their own failures (platform::RunCommand).
    view.OnHotSpotClick = [this](htmlview::HtmlView&, const QString& target, bool& handled) {
        handled = true;
        platform::RunCommand([&] { linkClicked(target); });
    };
    view.OnImageClick = [this](htmlview::HtmlView& v, int image, Qt::MouseButton,
                               Qt::KeyboardModifiers,
                               QPoint) { platform::RunCommand([&] { imageClicked(v, image); }); };
    view.OnImageRequest = [](htmlview::HtmlView&, const QString& name) {
        return ImageRequest(name);
    };
}

void PageClicks::imageClicked(htmlview::HtmlView& view, int image) {
    const QString source = view.image(image).source;
    if (feedbackRunning_ || !IsClickImage(source.toStdString())) return;
    feedbackRunning_ = true;
    const QImage kept = view.imageBitmap(image);
    view.setImageBitmap(image, platform::BitmapResourceFor(PressedFaceName(source.toStdString()),
                                                           view.devicePixelRatioF()));
    QPointer<htmlview::HtmlView> shown(&view);
    QTimer::singleShot(70, timers_.get(), [shown, image, source, kept] {
        // A click handled meanwhile may have loaded another document into the view.
        if (shown && image < shown->imageCount() && shown->image(image).source == source)
            shown->setImageBitmap(image, kept);
    });
    QTimer::singleShot(120, timers_.get(), [this] { feedbackDone(); });
}

void PageClicks::linkClicked(const QString& target) {
    // The view reports an image click before the link click of the same release:
    // a button image's command waits for its feedback; one link waits at most.
    if (feedbackRunning_) {
        if (!waiting_) waiting_ = target.toStdString();
        return;
    }
    RunLinkCommand(target.toStdString(), actions_);
}

void PageClicks::feedbackDone() {
    feedbackRunning_ = false;
    if (const std::optional<std::string> target = std::exchange(waiting_, std::nullopt))
        platform::RunCommand([&] { RunLinkCommand(*target, actions_); });
}

}  // namespace dorvane::pages
