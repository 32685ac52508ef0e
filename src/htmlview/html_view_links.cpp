// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard access to the links of a page: their order, words and places, the
// focused link and its activation, and the Tab stops of the document.
#include <QPointer>
#include <QTimer>
#include <algorithm>

#include "htmlview/html_view.h"
#include "htmlview/html_view_accessible.h"
#include "htmlview/layout.h"

namespace dorvane::htmlview {

void HtmlView::findLinks() {
    linkStops_.clear();
    if (!layout_) return;
    std::vector<bool> seen(layout_->links.size(), false);
    for (const Fragment& f : layout_->fragments) {
        const auto link = static_cast<std::size_t>(f.link);
        if (f.link < 0 || link >= seen.size() || seen[link]) continue;
        if (f.kind != Fragment::Kind::Text && f.kind != Fragment::Kind::Image) continue;
        seen[link] = true;
        linkStops_.push_back(f.link);
    }
    if (focusedLink_ >= linkCount()) focusedLink_ = -1;
}

QString HtmlView::linkTarget(int link) const {
    if (link < 0 || link >= linkCount()) return {};
    return layout_->links[static_cast<std::size_t>(linkStops_[std::size_t(link)])];
}

QString HtmlView::linkText(int link) const {
    if (link < 0 || link >= linkCount()) return {};
    const int id = linkStops_[std::size_t(link)];
    QString words;
    QStringList alts;
    for (const Fragment& f : layout_->fragments) {
        if (f.link != id) continue;
        if (f.kind == Fragment::Kind::Text) words += f.text;
        if (f.kind == Fragment::Kind::Image && f.index >= 0 && f.index < imageCount())
            alts << image(f.index).alt.simplified();
    }
    words.replace(QChar(0xA0), u' ');
    words = words.simplified();
    return words.isEmpty() ? alts.join(u' ').simplified() : words;
}

bool HtmlView::linkIsImage(int link) const {
    if (link < 0 || link >= linkCount()) return false;
    const int id = linkStops_[std::size_t(link)];
    bool image = false;
    for (const Fragment& f : layout_->fragments) {
        if (f.link != id) continue;
        if (f.kind == Fragment::Kind::Text && !f.text.trimmed().isEmpty()) return false;
        image = image || f.kind == Fragment::Kind::Image;
    }
    return image;
}

QRect HtmlView::linkRect(int link) const {
    if (link < 0 || link >= linkCount()) return {};
    const int id = linkStops_[std::size_t(link)];
    QRectF r;
    for (const Fragment& f : layout_->fragments)
        if (f.link == id && (f.kind == Fragment::Kind::Text || f.kind == Fragment::Kind::Image))
            r = r.united(f.rect);
    return r.toAlignedRect().translated(0, -scrollY());
}

void HtmlView::setFocusedLink(int link) {
    focusedLink_ = link >= 0 && link < linkCount() ? link : -1;
    if (focusedLink_ >= 0) {
        const QRect r = linkRect(focusedLink_);
        const int h = viewport()->height();
        if (r.top() < 0)
            setScrollY(scrollY() + r.top() - 4);
        else if (r.bottom() >= h)
            setScrollY(scrollY() + r.bottom() - h + 5);
    }
    notifyFocusedLink();
}

void HtmlView::notifyFocusedLink() {
    emit focusedLinkChanged();
    if (hasFocus() && focusedLink_ >= 0) NotifyLinkFocus(*this, focusedLink_);
}

void HtmlView::activateLink(int link) {
    if (link < 0 || link >= linkCount() || !layout_) return;
    const int id = linkStops_[std::size_t(link)];
    const QString target = linkTarget(link);
    int image = -1;
    for (const Fragment& f : layout_->fragments)
        if (f.link == id && f.kind == Fragment::Kind::Image) {
            image = f.index;
            break;
        }
    const QPoint centre = linkRect(link).center();
    QPointer<HtmlView> self(this);
    if (image >= 0 && OnImageClick) OnImageClick(*this, image, Qt::LeftButton, {}, centre);
    if (!self || !OnHotSpotClick) return;
    bool handled = false;
    OnHotSpotClick(*this, target, handled);
}

std::vector<KeyboardStop> HtmlView::keyboardStops() const {
    std::vector<KeyboardStop> stops;
    if (!layout_) return stops;
    std::size_t next = 0;  // links come in the order of their first fragment
    for (const Fragment& f : layout_->fragments) {
        const bool linked = f.kind == Fragment::Kind::Text || f.kind == Fragment::Kind::Image;
        if (linked && next < linkStops_.size() && f.link == linkStops_[next]) {
            stops.push_back({int(next), nullptr});
            ++next;
        }
        const auto c = static_cast<std::size_t>(f.index);
        if (f.kind == Fragment::Kind::Control && c < controls_.size() && controls_[c].widget &&
            controls_[c].widget->isEnabled())
            stops.push_back({-1, controls_[c].widget});
    }
    return stops;
}

void HtmlView::setSelection(int from, int to) {
    if (!layout_ || settings_.noSelect) return;
    selAnchor_ = std::clamp(from, 0, layout_->textLength);
    selEnd_ = std::clamp(to, 0, layout_->textLength);
    viewport()->update();
}

void HtmlView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    if (focusedLink_ < 0) return;
    emit focusedLinkChanged();
    // Qt tells assistive technology of the view's own focus after this returns; the
    // link's focus goes after it, else a screen reader would end on the page.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus() && focusedLink_ >= 0) NotifyLinkFocus(*this, focusedLink_);
    });
}

void HtmlView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    if (focusedLink_ >= 0) emit focusedLinkChanged();
}

}  // namespace dorvane::htmlview
