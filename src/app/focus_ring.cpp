// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/focus_ring.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>

#include "app/image_control.h"
#include "htmlview/html_view.h"

namespace dorvane::app {
namespace {

constexpr int kPen = 2;

// The window rectangle of a widget's rectangle `r`, clipped by its ancestors
// (each widened by the ring, so that a ring around a control at a page's edge
// still shows).
QRect InWindow(const QWidget* w, QRect r) {
    QRect clip = QRect(w->mapTo(w->window(), r.topLeft()), r.size());
    QRect out = clip;
    for (const QWidget* a = w->parentWidget(); a && !a->isWindow(); a = a->parentWidget()) {
        const QRect ar(a->mapTo(a->window(), QPoint(0, 0)), a->size());
        out &= ar.adjusted(-kPen - 1, -kPen - 1, kPen + 1, kPen + 1);
        if (!ar.intersects(clip)) return {};
    }
    return out;
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
        const QRect link = view->linkRect(view->focusedLink()).adjusted(-3, -3, 3, 3);
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
    p.setPen(QPen(QColor::fromRgb(kFocusRingColour), kPen));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(ring_).adjusted(1, 1, -1, -1), 3, 3);
}

}  // namespace dorvane::app
