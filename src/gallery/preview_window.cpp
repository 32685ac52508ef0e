// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/preview_window.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "platform/window_system.h"

namespace dorvane::gallery {

QRect FitPreviewRect(int w, int h, int cw, int ch) {
    if (w <= 0 || h <= 0) return {};
    const double aspect = static_cast<double>(w) / h;
    int width, height;
    if (w > h) {
        width = cw;
        height = static_cast<int>(cw / aspect);
        if (height > ch) {
            height = ch;
            width = static_cast<int>(ch * aspect);
        }
    } else {
        height = ch;
        width = static_cast<int>(ch * aspect);
        if (width > cw) {
            width = cw;
            height = static_cast<int>(cw / aspect);
        }
    }
    return {(cw - width) / 2, (ch - height) / 2, width, height};
}

FullScreenPreview::FullScreenPreview(QWidget* parent) : QDialog(parent) {
    setObjectName("formPreview");
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowModality(Qt::ApplicationModal);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setToolTip(kHint);
    setAttribute(Qt::WA_AlwaysShowToolTips);
}

void FullScreenPreview::setScreenBounds(int width, int height) {
    const qreal ratio = devicePixelRatioF() > 0 ? devicePixelRatioF() : 1.0;
    setGeometry(0, 0, static_cast<int>(width / ratio), static_cast<int>(height / ratio));
}

void FullScreenPreview::placeOn(QScreen* screen) {
    if (!screen) return;
    setScreen(screen);
    setGeometry(screen->geometry());
}

void FullScreenPreview::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void FullScreenPreview::present() {
    // Wayland places no window at (0, 0) on a program's word: full screen is the
    // compositor's way to cover the screen. Modal, but no nested event loop: the
    // caller goes on, and a click or key closes the window.
    setWindowState(windowState() |
                   (platform::IsWayland() ? Qt::WindowFullScreen : Qt::WindowMaximized));
    show();
    raise();
    activateWindow();
}

void FullScreenPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (picture_.isNull()) return;
    // Work in device pixels so that the fit is that of the screen's own pixels.
    const qreal ratio = devicePixelRatioF();
    const QRect target =
        FitPreviewRect(picture_.width(), picture_.height(), static_cast<int>(width() * ratio),
                       static_cast<int>(height() * ratio));
    painter.scale(1 / ratio, 1 / ratio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, picture_);
}

void FullScreenPreview::mousePressEvent(QMouseEvent*) {
    accept();
}

void FullScreenPreview::keyPressEvent(QKeyEvent*) {
    accept();
}

}  // namespace dorvane::gallery
