// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/image_control.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

#include "platform/bitmap_resource.h"
#include "platform/error_report.h"

namespace dorvane::app {

ImageControl::ImageControl(QWidget* parent, const char* objectName) : QWidget(parent) {
    if (objectName) setObjectName(objectName);
}

namespace {

// `image` with its bottom-left colour (when `transparent`) and `seeThrough` left out.
QImage Shown(const QImage& image, bool transparent, std::optional<QRgb> seeThrough) {
    if (image.isNull()) return image;
    QImage shown = image;
    if (seeThrough) shown = KeyedOut(shown, *seeThrough);
    if (transparent) shown = KeyedOut(shown, image.pixel(0, image.height() - 1));
    shown.setDevicePixelRatio(image.devicePixelRatio());
    return shown;
}

}  // namespace

void ImageControl::setImage(const QImage& image, const QImage& image2x) {
    image_ = image;
    image2x_ = image2x;
    prepare();
}

void ImageControl::setTransparent(bool on) {
    transparent_ = on;
    prepare();
}

void ImageControl::setSeeThroughColour(QRgb colour) {
    seeThrough_ = colour;
    prepare();
}

void ImageControl::prepare() {
    shown_ = Shown(image_, transparent_, seeThrough_);
    shown2x_ = Shown(image2x_, transparent_, seeThrough_);
    update();
}

void ImageControl::paintEvent(QPaintEvent*) {
    const bool fine = devicePixelRatioF() > 1 && !shown2x_.isNull();
    const QImage& picture = fine ? shown2x_ : shown_;
    if (picture.isNull()) return;
    QPainter painter(this);
    // The twin is exact at a ratio of 2 and smoothly scaled at any other.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, fine);
    painter.drawImage(QPointF(0, 0), picture);
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    if (onPress_) onPress_(event);
    pressed_ = event->button() == Qt::LeftButton;
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) this->click();
}

void ImageControl::mouseDoubleClickEvent(QMouseEvent* event) {
    // The first click of a double-click has already been reported.
    pressed_ = false;
    if (event->button() == Qt::LeftButton && onDoubleClick_) platform::RunCommand(onDoubleClick_);
}

void ImageControl::click() {
    if (onClick_) platform::RunCommand(onClick_);
}

void LoadBitmapResource(ImageControl& image, std::string_view name) {
    // The twin at twice the size is decoded only where a screen can show it (the
    // highest ratio of all screens): at ratio 1 it would never be painted.
    const bool fineScreen = qGuiApp == nullptr || qGuiApp->devicePixelRatio() > 1;
    image.setImage(platform::BitmapResource(name),
                   fineScreen ? platform::BitmapResource2x(name) : QImage());
}

QImage KeyedOut(const QImage& image, QRgb key) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb rgbKey = key | 0xFF000000u;
    const int width = out.width(), height = out.height();  // not read again per pixel
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x)
            if ((line[x] | 0xFF000000u) == rgbKey) line[x] = 0;
    }
    return out;
}

}  // namespace dorvane::app
