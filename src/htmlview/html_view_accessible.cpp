// SPDX-License-Identifier: GPL-3.0-or-later
#include "htmlview/html_view_accessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>

#include "htmlview/accessible_text.h"
#include "htmlview/html_view.h"

namespace dorvane::htmlview {
namespace {

// One link of the view; it lives as long as the document it was made for.
class LinkAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    LinkAccessible(HtmlView* view, int index)
        : view_(view), index_(index), generation_(view->generation()) {}

    bool isValid() const override {
        return view_ && view_->generation() == generation_ && index_ < view_->linkCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        if (t == QAccessible::Name) return view_->linkText(index_);
        if (t == QAccessible::Value && role() == QAccessible::Link)
            return view_->linkTarget(index_);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect r = view_->linkRect(index_);
        return QRect(view_->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override {
        return isValid() && view_->linkIsImage(index_) ? QAccessible::Button : QAccessible::Link;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.focusable = true;
        s.focused = view_->hasFocus() && view_->focusedLink() == index_;
        s.linked = role() == QAccessible::Link;
        s.invisible = !view_->isVisible();
        s.offscreen = !view_->viewport()->rect().intersects(view_->linkRect(index_));
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                 : nullptr;
    }
    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& action) override {
        if (!isValid()) return;
        const QPointer<HtmlView> view = view_;
        const int index = index_, generation = generation_;
        if (action == setFocusAction()) {
            view->setFocusedLink(index);
            view->setFocus(Qt::OtherFocusReason);
        } else if (action == pressAction()) {
            // Later: the command may load another page and end this interface.
            QTimer::singleShot(0, view, [view, index, generation] {
                if (view && view->generation() == generation) view->activateLink(index);
            });
        }
    }

private:
    QPointer<HtmlView> view_;
    int index_;
    int generation_;
};

// The view's own widgets that a user meets: the viewport when it holds form
// controls, a scroll bar when it shows.
std::vector<QWidget*> Parts(const HtmlView& view) {
    std::vector<QWidget*> out;
    for (QObject* o : view.children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow() || w->isHidden()) continue;
        if (w == view.viewport() && view.formControls().empty()) continue;
        out.push_back(w);
    }
    return out;
}

class ViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ViewAccessible(HtmlView* view) : QAccessibleWidget(view, QAccessible::Document) {}
    ~ViewAccessible() override { dropLinks(); }

    HtmlView* view() const { return static_cast<HtmlView*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        return s;
    }
    QString text(QAccessible::Text t) const override {
        const QString own = QAccessibleWidget::text(t);
        return t == QAccessible::Name && own.isEmpty() ? view()->title() : own;
    }
    int childCount() const override { return view()->linkCount() + int(Parts(*view()).size()); }
    QAccessibleInterface* child(int index) const override {
        const int links = view()->linkCount();
        if (index < 0) return nullptr;
        if (index >= links) {
            const auto parts = Parts(*view());
            const auto part = std::size_t(index - links);
            return part < parts.size() ? QAccessible::queryAccessibleInterface(parts[part])
                                       : nullptr;
        }
        const_cast<ViewAccessible*>(this)->syncLinks();
        auto& id = links_[std::size_t(index)];
        if (!id) id = QAccessible::registerAccessibleInterface(new LinkAccessible(view(), index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* c) const override {
        for (int i = 0; i < view()->linkCount() && i < int(links_.size()); ++i)
            if (links_[std::size_t(i)] &&
                QAccessible::accessibleInterface(links_[std::size_t(i)]) == c)
                return i;
        const auto parts = Parts(*view());
        for (std::size_t i = 0; i < parts.size(); ++i)
            if (c && c->object() == parts[i]) return view()->linkCount() + int(i);
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        if (view()->hasFocus() && view()->focusedLink() >= 0) return child(view()->focusedLink());
        return QAccessibleWidget::focusChild();
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < view()->linkCount(); ++i)
            if (QAccessibleInterface* c = child(i); c && c->rect().contains(x, y)) return c;
        return QAccessibleWidget::childAt(x, y);
    }

    // QAccessibleTextInterface
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index != 0 || selectionCount() == 0) return;
        const auto [a, b] = view()->selection();
        *start = words().offsetOf(std::min(a, b));
        *end = words().offsetOf(std::max(a, b));
    }
    int selectionCount() const override {
        const auto [a, b] = view()->selection();
        return a >= 0 && b >= 0 && a != b ? 1 : 0;
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { view()->setSelection(0, 0); }
    void setSelection(int, int start, int end) override {
        view()->setSelection(words().textPosOf(start), words().textPosOf(end));
    }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override {
        const QString& t = words().text;
        start = std::clamp(start, 0, int(t.size()));
        end = end < 0 ? int(t.size()) : std::clamp(end, start, int(t.size()));
        return t.mid(start, end - start);
    }
    int characterCount() const override { return int(words().text.size()); }
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int start, int) override {
        const QRect r = characterRect(start);
        if (r.isEmpty()) return;
        const QPoint at = view()->viewport()->mapFromGlobal(r.topLeft());
        if (!view()->viewport()->rect().contains(at))
            view()->setScrollY(view()->scrollY() + at.y());
    }
    QString attributes(int offset, int* start, int* end) const override {
        *start = 0;
        *end = std::max(offset, characterCount());
        return {};
    }
    using QAccessibleWidget::text;

private:
    const AccessibleText& words() const {
        const LayoutResult* layout = view()->layoutResult();
        if (layout != cachedLayout_) {
            cachedLayout_ = layout;
            cache_ = layout ? BuildAccessibleText(*layout) : AccessibleText();
        }
        return cache_;
    }
    void syncLinks() {
        if (generation_ != view()->generation()) {
            dropLinks();
            generation_ = view()->generation();
        }
        links_.resize(std::size_t(view()->linkCount()), 0);
    }
    void dropLinks() {
        for (QAccessible::Id id : links_)
            if (id) QAccessible::deleteAccessibleInterface(id);
        links_.clear();
    }

    mutable std::vector<QAccessible::Id> links_;
    int generation_ = -1;
    mutable const LayoutResult* cachedLayout_ = nullptr;
    mutable AccessibleText cache_;
};

QRect ViewAccessible::characterRect(int offset) const {
    const LayoutResult* layout = view()->layoutResult();
    const AccessibleText::Span* span = layout ? words().spanAt(offset) : nullptr;
    if (!span) return {};
    const Fragment& f = layout->fragments[std::size_t(span->fragment)];
    const QFontMetricsF& fm = (*layout->fonts)[f.font].metrics;
    const int k = offset - span->offset;
    const double x = f.rect.left() + fm.horizontalAdvance(f.text.left(k));
    const double w = fm.horizontalAdvance(f.text.mid(k, 1));
    const QRectF doc(x, f.rect.top(), w, f.rect.height());
    const QRect onView = doc.toAlignedRect().translated(0, -view()->scrollY());
    return QRect(view()->viewport()->mapToGlobal(onView.topLeft()), onView.size());
}

int ViewAccessible::offsetAtPoint(const QPoint& point) const {
    const LayoutResult* layout = view()->layoutResult();
    if (!layout) return -1;
    const QPoint p = view()->viewport()->mapFromGlobal(point) + QPoint(0, view()->scrollY());
    const int pos = TextPositionAt(*layout, QPointF(p), false);
    return pos < 0 ? -1 : words().offsetOf(pos);
}

}  // namespace

QAccessibleInterface* HtmlViewAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("dorvane::htmlview::HtmlView") && object &&
        object->isWidgetType())
        return new ViewAccessible(static_cast<HtmlView*>(object));
    return nullptr;
}

void NotifyDocumentName(HtmlView& view) {
    // Not while hidden (or being made): that would fix the view's interface too early.
    if (!QAccessible::isActive() || !view.isVisible()) return;
    QAccessibleEvent event(&view, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void NotifyLinkFocus(HtmlView& view, int link) {
    if (!QAccessible::isActive()) return;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&view);
    QAccessibleInterface* child = iface ? iface->child(link) : nullptr;
    if (!child) return;
    QAccessibleEvent event(child, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

}  // namespace dorvane::htmlview
