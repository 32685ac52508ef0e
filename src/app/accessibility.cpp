// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/accessibility.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPointer>
#include <QRegion>
#include <QScrollArea>
#include <QTimer>
#include <algorithm>
#include <array>
#include <utility>

#include "app/focus_ring.h"
#include "app/image_control.h"
#include "gallery/gallery_page.h"
#include "htmlview/html_view_accessible.h"
#include "platform/error_report.h"

namespace dorvane::app {
namespace {

constexpr std::array<std::pair<std::string_view, const char*>, 9> kCaptions = {{
    {"imgButton1", "Introduction"},
    {"imgButton2", "Background"},
    {"imgButton3", "Your goals"},
    {"imgButton4", "Preview"},
    {"imgButton5", "Saved work"},
    {"imgAddRes", "Goal-setting resources"},
    {"imgAbout", "About Dorvane"},
    {"imgMin", "Minimise"},
    {"imgClose", "Close"},
}};

constexpr const char* kPictureListName = "Background pictures";

bool IsPressKey(const QKeyEvent& k) {
    const int key = k.key();
    return (k.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
           (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter);
}

// Space and Enter press the image button that has the focus.
class ButtonKeys : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        auto* button = qobject_cast<ImageControl*>(watched);
        if (!button || !IsPressKey(*key)) return false;
        if (!key->isAutoRepeat()) button->click();
        return true;
    }
};

// An image button (a push button) or, without keyboard access, a picture.
class ImageAccessible : public QAccessibleWidget {
public:
    explicit ImageAccessible(ImageControl* w)
        : QAccessibleWidget(
              w, (w->focusPolicy() & Qt::TabFocus) ? QAccessible::Button : QAccessible::Graphic) {}
    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (role() == QAccessible::Button) names.prepend(pressAction());
        return names;
    }
    void doAction(const QString& action) override {
        if (action != pressAction()) return QAccessibleWidget::doAction(action);
        // Later: a page change may follow, which should not run inside the caller.
        QPointer<ImageControl> button = static_cast<ImageControl*>(widget());
        QTimer::singleShot(0, button, [button] {
            if (button) button->click();
        });
    }
};

// Skin pictures and the focus ring are decoration: not shown to assistive technology.
bool IsDecoration(QObject* o) {
    if (qobject_cast<FocusRing*>(o) || dynamic_cast<gallery::ShapeControl*>(o)) return true;
    auto* image = qobject_cast<ImageControl*>(o);
    return image && !(image->focusPolicy() & Qt::TabFocus) && image->accessibleName().isEmpty();
}

// The window or a page: the controls that a sighted user sees, that is, less the
// decoration, the hidden ones and those wholly under a sibling above them (the
// pages stacked in the body area, the label under the page-4 preview).
class PanelAccessible : public QAccessibleWidget {
public:
    PanelAccessible(QWidget* w, QAccessible::Role role) : QAccessibleWidget(w, role) {}
    int childCount() const override { return int(shown().size()); }
    QAccessibleInterface* child(int index) const override {
        const auto kids = shown();
        return index >= 0 && index < int(kids.size())
                   ? QAccessible::queryAccessibleInterface(kids[std::size_t(index)])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* c) const override {
        const auto kids = shown();
        for (std::size_t i = 0; i < kids.size(); ++i)
            if (c && c->object() == kids[i]) return int(i);
        return -1;
    }

private:
    std::vector<QWidget*> shown() const {
        std::vector<QWidget*> out;
        QRegion above;  // covered by the controls higher up
        const QObjectList& kids = widget()->children();
        for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
            auto* w = qobject_cast<QWidget*>(*it);
            if (!w || w->isWindow() || w->isHidden() || IsDecoration(w)) continue;
            if (!(QRegion(w->geometry()) - above).isEmpty()) out.push_back(w);
            above += w->geometry();
        }
        std::reverse(out.begin(), out.end());
        return out;
    }
};

gallery::GalleryPage* GridPage(QObject* imgs) {
    return imgs ? qobject_cast<gallery::GalleryPage*>(imgs->parent()) : nullptr;
}

// The thumbnail grid: a list of pictures.
class PictureListAccessible : public QAccessibleWidget {
public:
    explicit PictureListAccessible(QScrollArea* w) : QAccessibleWidget(w, QAccessible::List) {}
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? QString(kPictureListName) : QAccessibleWidget::text(t);
    }
    int childCount() const override { return int(page()->thumbnails().size()); }
    QAccessibleInterface* child(int index) const override {
        const auto& t = page()->thumbnails();
        return index >= 0 && index < int(t.size())
                   ? QAccessible::queryAccessibleInterface(t[std::size_t(index)])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* c) const override {
        const auto& t = page()->thumbnails();
        for (std::size_t i = 0; i < t.size(); ++i)
            if (c && c->object() == t[i]) return int(i);
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        if (!widget()->hasFocus()) return nullptr;
        return QAccessible::queryAccessibleInterface(
            page()->findThumbnail(page()->selectedNumber()));
    }

private:
    gallery::GalleryPage* page() const { return GridPage(widget()); }
};

// One picture of the grid, named as in the catalogue (its tooltip).
class PictureAccessible : public QAccessibleWidget {
public:
    explicit PictureAccessible(gallery::ThumbnailControl* w)
        : QAccessibleWidget(w, QAccessible::ListItem) {}
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? widget()->toolTip() : QAccessibleWidget::text(t);
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(grid());
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.selectable = true;
        s.focusable = true;
        s.selected = page() && page()->selectedNumber() == thumbnail()->number();
        s.focused = s.selected && grid() && grid()->hasFocus();
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction() && page())
            platform::RunCommand([this] { page()->selectThumbnail(thumbnail()); });
    }

private:
    gallery::ThumbnailControl* thumbnail() const {
        return static_cast<gallery::ThumbnailControl*>(widget());
    }
    QScrollArea* grid() const {
        for (QWidget* w = widget()->parentWidget(); w; w = w->parentWidget())
            if (auto* area = qobject_cast<QScrollArea*>(w)) return area;
        return nullptr;
    }
    gallery::GalleryPage* page() const { return GridPage(grid()); }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    if (className == QLatin1String("dorvane::app::ImageControl"))
        return new ImageAccessible(static_cast<ImageControl*>(object));
    if (className == QLatin1String("dorvane::app::PreviewCanvas"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    if (className == QLatin1String("dorvane::app::MainWindow"))
        return new PanelAccessible(static_cast<QWidget*>(object), QAccessible::Window);
    if (className == QLatin1String("dorvane::app::PreviewPage") ||
        className == QLatin1String("dorvane::app::SavedBoardsPage") ||
        className == QLatin1String("dorvane::gallery::GalleryPage"))
        return new PanelAccessible(static_cast<QWidget*>(object), QAccessible::Client);
    if (className == QLatin1String("dorvane::gallery::ThumbnailControl"))
        return new PictureAccessible(static_cast<gallery::ThumbnailControl*>(object));
    if (className == QLatin1String("QScrollArea") && GridPage(object))
        return new PictureListAccessible(static_cast<QScrollArea*>(object));
    return htmlview::HtmlViewAccessibleFactory(className, object);
}

}  // namespace

void InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

QString ButtonCaption(std::string_view control) {
    for (const auto& [name, caption] : kCaptions)
        if (name == control) return caption;
    return {};
}

void MakeKeyboardButton(ImageControl& button, const QString& caption) {
    button.setFocusPolicy(Qt::TabFocus);
    button.setAccessibleName(caption);
    button.installEventFilter(new ButtonKeys(&button));
}

}  // namespace dorvane::app
