// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/page_texts.h"

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
    view.OnHotSpotClick = [this](htmlview::HtmlView& v, const QString& target, bool& handled) {
        platform::RunCommand([&] { htmlBodyHotSpotClick(v, target, handled); });
    };
    view.OnImageClick = [this](htmlview::HtmlView& v, int image, Qt::MouseButton,
                               Qt::KeyboardModifiers, QPoint) {
        platform::RunCommand([&] { htmlBodyImageClick(v, image); });
    };
    view.OnImageRequest = [](htmlview::HtmlView&, const QString& name) {
        return ImageRequest(name);
    };
    view.OnMouseDown = [this](htmlview::HtmlView& v, Qt::MouseButton, Qt::KeyboardModifiers,
                              QPoint pos) { htmlBodyMouseDown(v, pos); };
}

void PageClicks::htmlBodyMouseDown(htmlview::HtmlView& view, QPoint pos) {
    const auto object = view.objectAt(pos);
    PressNotOnImage = !(object && object->kind == htmlview::ViewObject::Kind::Image);
}

void PageClicks::htmlBodyImageClick(htmlview::HtmlView& view, int image) {
    const QString source = view.image(image).source;
    if (IsClickImage(source.toStdString())) {
        const QImage kept = view.imageBitmap(image);
        const QImage pressed = platform::BitmapResourceFor(PressedFaceName(source.toStdString()),
                                                           view.devicePixelRatioF());
        view.setImageBitmap(image, pressed);
        view.repaint();
        pacing_.pump();
        pacing_.pause(70);
        // A click handled meanwhile may have loaded another document into the view.
        if (image < view.imageCount() && view.image(image).source == source)
            view.setImageBitmap(image, kept);
        pacing_.pump();
        pacing_.pause(50);
    }
    ImageClickDone = true;
}

void PageClicks::htmlBodyHotSpotClick(htmlview::HtmlView&, const QString& target, bool& handled) {
    // The view reports an image click before the link click of the same release,
    // with its feedback run to the end. Without one the release was not on an
    // image, which counts as a press not on an image: the wait always ends.
    const bool releaseNotOnImage = !ImageClickDone;
    pacing_.pump();  // messages run at least once
    // A click handled in between may have reset both flags. The wait then sleeps
    // in the event loop, and gives up after a while rather than holding this
    // command until some later press.
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + kLinkWaitLimit;
    while (!ImageClickDone && !PressNotOnImage && !releaseNotOnImage) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) break;
        pacing_.wait(static_cast<int>(left.count()));
    }
    ImageClickDone = false;
    PressNotOnImage = false;
    handled = true;
    RunLinkCommand(target.toStdString(), actions_);
}

}  // namespace dorvane::pages
