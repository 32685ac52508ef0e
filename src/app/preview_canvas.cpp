// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preview_canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace dorvane::app {
namespace {

compose::MouseButton ButtonOf(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return compose::MouseButton::Left;
        case Qt::RightButton:
            return compose::MouseButton::Right;
        default:
            return compose::MouseButton::Middle;
    }
}

}  // namespace

PreviewCanvas::PreviewCanvas(QWidget* parent) : QWidget(parent) {
    setObjectName("imgPreview");
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

void PreviewCanvas::setImage(const QImage& image) {
    image_ = image;
    update();
}

void PreviewCanvas::setCursorShape(compose::CursorShape shape) {
    switch (shape) {
        case compose::CursorShape::Unchanged:
            return;
        case compose::CursorShape::Arrow:
            setCursor(Qt::ArrowCursor);
            return;
        case compose::CursorShape::SizeHorizontal:
            setCursor(Qt::SizeHorCursor);
            return;
        case compose::CursorShape::SizeAll:
            setCursor(Qt::SizeAllCursor);
            return;
    }
}

void PreviewCanvas::paintEvent(QPaintEvent*) {
    ++paints_;
    if (image_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
    if (!hasFocus()) return;
    // The arrow keys move the box now: a dotted line beside or under the picture
    // says so without covering any of it.
    painter.setPen(QPen(QColor(128, 0, 0), 1, Qt::DotLine));
    const QSize shown = image_.deviceIndependentSize().toSize();
    // A line wider than a device pixel is centred on its coordinate: half a
    // preview pixel further keeps all of it beside the picture.
    if (devicePixelRatioF() > 1) painter.translate(0.5, 0.5);
    if (shown.width() < width())
        painter.drawLine(shown.width(), 0, shown.width(), shown.height() - 1);
    else if (shown.height() < height())
        painter.drawLine(0, shown.height(), shown.width() - 1, shown.height());
}

void PreviewCanvas::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(ButtonOf(event->button()), event->position().toPoint());
}

void PreviewCanvas::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->position().toPoint(), event->buttons().testFlag(Qt::LeftButton));
}

void PreviewCanvas::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(ButtonOf(event->button()), event->position().toPoint());
}

void PreviewCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is a press like the first.
    mousePressEvent(event);
}

void PreviewCanvas::keyPressEvent(QKeyEvent* event) {
    const int step = event->modifiers().testFlag(Qt::ShiftModifier) ? 10 : 1;
    int dx = 0;
    int dy = 0;
    switch (event->key()) {
        case Qt::Key_Left:
            dx = -step;
            break;
        case Qt::Key_Right:
            dx = step;
            break;
        case Qt::Key_Up:
            dy = -step;
            break;
        case Qt::Key_Down:
            dy = step;
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    emit nudged(dx, dy, event->isAutoRepeat());
}

void PreviewCanvas::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void PreviewCanvas::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void PreviewCanvas::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit dragLost();
}

void PreviewCanvas::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Another window took over mid-drag: the release will not come here.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) emit dragLost();
}

}  // namespace dorvane::app
