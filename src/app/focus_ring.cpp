// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/focus_ring.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "app/image_control.h"
#include "htmlview/html_view.h"

namespace dorvane::app {
namespace {

constexpr int kOutside = 3;  // how far a ring may lie outside its control

// The window rectangle of a widget's rectangle `r`, clipped by its ancestors
// (each widened by the ring, so that a ring around a control at a page's edge
// still shows).
QRect InWindow(const QWidget* w, QRect r) {
    QRect clip = QRect(w->mapTo(w->window(), r.topLeft()), r.size());
    QRect out = clip;
    for (const QWidget* a = w->parentWidget(); a && !a->isWindow(); a = a->parentWidget()) {
        const QRect ar(a->mapTo(a->window(), QPoint(0, 0)), a->size());
        out &= ar.adjusted(-kOutside, -kOutside, kOutside, kOutside);
        if (!ar.intersects(clip)) return {};
    }
    return out;
}

// A link's ring, short of the plain pictures next to it: page 5's separator
// ornament lies just under its Load and Delete buttons.
QRect AroundLink(const htmlview::HtmlView& view, QRect link) {
    QRect ring = link.adjusted(-3, -3, 3, 3);
    for (int i = 0; i < view.imageCount(); ++i) {
        const htmlview::ImageObject& picture = view.image(i);
        if (picture.background || !picture.link.isEmpty()) continue;
        const QRect r = picture.rect.translated(0, -view.scrollY());
        if (r.width() < 2 || r.height() < 2 || !r.intersects(ring) || r.intersects(link)) continue;
        if (r.top() > link.bottom()) ring.setBottom(std::min(ring.bottom(), r.top() - 1));
        if (r.bottom() < link.top()) ring.setTop(std::max(ring.top(), r.bottom() + 1));
    }
    return ring;
}

}  // namespace

FocusRing::FocusRing(QWidget* window) : QWidget(window) {
    setObjectName("focusRing");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(window->rect());
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { retarget(now); });
    show();
}

FocusRing::~FocusRing() {
    qApp->removeEventFilter(this);
}

void FocusRing::retarget(QWidget* now) {
    disconnect(linkWatch_);
    target_ = now && now->window() == window() ? now : nullptr;
    if (auto* view = qobject_cast<htmlview::HtmlView*>(target_.data()))
        linkWatch_ =
            connect(view, &htmlview::HtmlView::focusedLinkChanged, this, &FocusRing::follow);
    follow();
}

QRect FocusRing::targetRect() const {
    QWidget* t = target_;
    if (!keyboard_ || !t || !t->isVisible() || !t->hasFocus()) return {};
    if (auto* view = qobject_cast<htmlview::HtmlView*>(t)) {
        if (view->focusedLink() < 0) return InWindow(t, t->rect().adjusted(1, 1, -1, -1));
        const QRect link = AroundLink(*view, view->linkRect(view->focusedLink()));
        return InWindow(view->viewport(), link & view->viewport()->rect());
    }
    // Image buttons touch each other: their ring lies inside them.
    if (qobject_cast<ImageControl*>(t)) return InWindow(t, t->rect());
    return InWindow(t, t->rect().adjusted(-3, -3, 3, 3));
}

void FocusRing::follow() {
    const QRect now = targetRect();
    if (now == ring_) return;
    update(ring_);
    ring_ = now;
    if (!ring_.isEmpty()) {
        raise();
        update(ring_);
    }
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    switch (event->type()) {
        case QEvent::KeyPress:
            if (w->window() == window() && !keyboard_) {
                keyboard_ = true;
                follow();
            }
            break;
        case QEvent::MouseButtonPress:
            if (keyboard_) {
                keyboard_ = false;
                follow();
            }
            break;
        case QEvent::ZOrderChange:
            // A page or button raised above the ring: lift it again, afterwards.
            if (w != this && w->parentWidget() == parentWidget() && !raisePending_) {
                raisePending_ = true;
                QTimer::singleShot(0, this, [this] {
                    raisePending_ = false;
                    raise();
                });
            }
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            if (target_ && (w == target_ || w->isAncestorOf(target_))) follow();
            break;
        default:
            break;
    }
    return false;
}

void FocusRing::paintEvent(QPaintEvent*) {
    if (ring_.isEmpty()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    const QRectF amber = QRectF(ring_).adjusted(1, 1, -1, -1);  // its 2-pixel line's middle
    p.setPen(QPen(QColor::fromRgb(kFocusRingColour), 2));
    p.drawRoundedRect(amber, 5, 5);
    p.setPen(QPen(QColor::fromRgb(kFocusRingInk), 1));
    p.drawRoundedRect(amber.adjusted(1.5, 1.5, -1.5, -1.5), 4, 4);
}

}  // namespace dorvane::app
