// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/image_control.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/bitmap_resource.h"
#include "platform/error_report.h"

namespace dorvane::app {

ImageControl::ImageControl(QWidget* parent, const char* objectName) : QWidget(parent) {
    if (objectName) setObjectName(objectName);
}

void ImageControl::setImage(const QImage& image) {
    image_ = image;
    shown_ = transparent_ && !image.isNull() ? KeyedOut(image, image.pixel(0, image.height() - 1))
                                             : image;
    update();
}

void ImageControl::setTransparent(bool on) {
    transparent_ = on;
    setImage(image_);
}

void ImageControl::paintEvent(QPaintEvent*) {
    if (shown_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, shown_);
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    if (onPress) onPress(event);
    pressed_ = event->button() == Qt::LeftButton;
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click && onClick) platform::RunCommand(onClick);
}

void ImageControl::mouseDoubleClickEvent(QMouseEvent* event) {
    // The first click of a double-click has already been reported.
    pressed_ = false;
    if (event->button() == Qt::LeftButton && onDoubleClick) platform::RunCommand(onDoubleClick);
}

void LoadBitmapResource(ImageControl& image, std::string_view name) {
    image.setImage(platform::BitmapResource(name));
}

QImage KeyedOut(const QImage& image, QRgb key) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb rgbKey = key | 0xFF000000u;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] | 0xFF000000u) == rgbKey) line[x] = 0;
    }
    return out;
}

}  // namespace dorvane::app
