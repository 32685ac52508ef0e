// SPDX-License-Identifier: GPL-3.0-or-later
// Mouse and keyboard: presses, image and link clicks, text selection and copying.
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

#include "htmlview/html_view.h"
#include "htmlview/layout.h"
#include "htmlview/view_press.h"

namespace dorvane::htmlview {
namespace {

bool SameObject(const std::optional<ViewObject>& a, const std::optional<ViewObject>& b) {
    if (!a || !b) return false;
    return a->kind == b->kind && a->index == b->index && a->link == b->link;
}

}  // namespace

QPoint HtmlView::toDocument(QPoint p) const {
    return p + QPoint(0, scrollY());
}

int HtmlView::textPositionAt(QPoint docPos, bool nearest) const {
    return layout_ ? TextPositionAt(*layout_, QPointF(docPos), nearest) : -1;
}

std::optional<ViewObject> HtmlView::objectAt(QPoint pos) const {
    if (!layout_) return std::nullopt;
    const QPointF p(toDocument(pos));
    const auto& frags = layout_->fragments;
    for (auto it = frags.rbegin(); it != frags.rend(); ++it) {
        const Fragment& f = *it;
        if (!f.rect.contains(p)) continue;
        ViewObject o;
        if (f.link >= 0) o.link = layout_->links[static_cast<std::size_t>(f.link)];
        switch (f.kind) {
            case Fragment::Kind::Image:
                o.kind = ViewObject::Kind::Image;
                o.index = f.index;
                return o;
            case Fragment::Kind::Control:
                o.kind = ViewObject::Kind::Control;
                o.index = f.index;
                return o;
            case Fragment::Kind::Text:
                o.kind = ViewObject::Kind::Text;
                return o;
            default:
                break;
        }
    }
    return std::nullopt;
}

void HtmlView::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (focusedLink_ >= 0) {  // the mouse takes over from the keyboard
        focusedLink_ = -1;
        emit focusedLinkChanged();
    }
    press_ = std::make_unique<Press>();
    press_->button = event->button();
    press_->object = objectAt(pos);
    press_->generation = generation_;
    const bool plainText = !press_->object || (press_->object->kind == ViewObject::Kind::Text &&
                                               press_->object->link.isEmpty());
    if (event->button() == Qt::LeftButton && !settings_.noSelect && plainText) {
        press_->selecting = true;
        selAnchor_ = selEnd_ = textPositionAt(toDocument(pos), true);
        viewport()->update();
    }
    QPointer<HtmlView> self(this);
    if (OnMouseDown) OnMouseDown(*this, event->button(), event->modifiers(), pos);
    if (self) event->accept();
}

void HtmlView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (press_ && press_->selecting && (event->buttons() & Qt::LeftButton)) {
        selEnd_ = textPositionAt(toDocument(pos), true);
        viewport()->update();
    }
    const auto o = objectAt(pos);
    viewport()->setCursor(o && !o->link.isEmpty() ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void HtmlView::mouseReleaseEvent(QMouseEvent* event) {
    if (!press_) return;
    const std::unique_ptr<Press> press = std::move(press_);
    const QPoint pos = event->position().toPoint();
    if (press->generation != generation_ || press->button != event->button()) return;
    if (!SameObject(press->object, objectAt(pos))) return;
    dispatchClick(pos, event->button(), event->modifiers());
}

void HtmlView::dispatchClick(QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
    const std::optional<ViewObject> o = objectAt(pos);
    if (!o) return;
    // Copies, because a handler may load another document or click again inside.
    const QString link = o->link;
    const int image = o->kind == ViewObject::Kind::Image ? o->index : -1;
    QPointer<HtmlView> self(this);
    if (image >= 0 && OnImageClick) OnImageClick(*this, image, button, mods, pos);
    if (!self || link.isEmpty() || button != Qt::LeftButton || !OnHotSpotClick) return;
    bool handled = false;
    OnHotSpotClick(*this, link, handled);
}

void HtmlView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (focusedLink_ >= 0 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        if (!event->isAutoRepeat()) activateLink(focusedLink_);
        return event->accept();
    }
    if (event->matches(QKeySequence::Copy)) {
        const QString text = selectedText();
        if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
        return event->accept();
    }
    if (event->matches(QKeySequence::SelectAll) && !settings_.noSelect) {
        selectAll();
        return event->accept();
    }
    QAbstractScrollArea::keyPressEvent(event);
}

QString HtmlView::selectedText() const {
    if (!layout_ || selAnchor_ < 0 || selEnd_ < 0 || selAnchor_ == selEnd_) return {};
    return TextBetween(*layout_, selAnchor_, selEnd_);
}

void HtmlView::selectAll() {
    if (!layout_) return;
    selAnchor_ = 0;
    selEnd_ = layout_->textLength;
    viewport()->update();
}

}  // namespace dorvane::htmlview
