// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/chrome.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWindow>

#include "platform/bitmap_resource.h"

namespace dorvane::app {
namespace {

constexpr QRect kCaption(0, 0, 680, 38);
constexpr QRect kMinRect(624, 12, 19, 19);
constexpr QRect kCloseRect(647, 12, 19, 19);

// Pressing on the top strip starts a system move of the window.
void MakeCaption(ImageControl& strip, QWidget* window) {
    strip.onPress = [window, &strip](QMouseEvent* event) {
        if (event->button() != Qt::LeftButton) return;
        const QPoint client = strip.mapTo(window, event->position().toPoint());
        if (!InCaption(client) || window->isMinimized()) return;
        if (QWindow* handle = window->windowHandle()) handle->startSystemMove();
    };
}

}  // namespace

bool InCaption(QPoint p) {
    return kCaption.contains(p) && !kMinRect.contains(p) && !kCloseRect.contains(p);
}

QRegion SkinMask(const std::vector<std::pair<QPoint, QImage>>& pictures, QSize client) {
    QRegion shape(QRect(QPoint(0, 0), client));
    for (const auto& [at, picture] : pictures) {
        const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < rgb.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            for (int x = 0; x < rgb.width();) {
                if ((line[x] | 0xFF000000u) != kWindowKeyColor) {
                    ++x;
                    continue;
                }
                const int start = x;
                while (x < rgb.width() && (line[x] | 0xFF000000u) == kWindowKeyColor) ++x;
                shape -= QRect(at.x() + start, at.y() + y, x - start, 1);
            }
        }
    }
    return shape;
}

void AnimateButtonPress(ImageControl& image, const std::string& baseName,
                        const platform::Pacing& pacing) {
    LoadBitmapResource(image, baseName + "_down");
    image.repaint();
    pacing.processEvents();
    pacing.sleep(70);
    LoadBitmapResource(image, baseName + "_up");
    image.repaint();
    pacing.processEvents();
    pacing.sleep(50);
}

Chrome::Chrome(QWidget* window) {
    for (const SkinPlace& p : kSkinPlaces) {
        auto* image = new ImageControl(window, p.control);
        image->setGeometry(p.left, p.top, p.width, p.height);
        image->setImage(platform::BitmapResource(p.control));
        skin_[p.control] = image;
    }
    MakeCaption(*skin_.at("imgBorderTop"), window);
    for (const ButtonPlace& b : kButtonPlaces) {
        auto* image = new ImageControl(window, b.control);
        image->setGeometry(b.left, b.top, b.width, b.height);
        image->setTransparent(b.transparent);
        if (b.handCursor) image->setCursor(Qt::PointingHandCursor);
        buttons_[b.control] = image;
    }
}

void Chrome::loadChromeFaces() {
    LoadBitmapResource(*buttons_.at("imgAbout"), "btn_about_up");
    LoadBitmapResource(*buttons_.at("imgAddRes"), "btn_addRes_up");
    LoadBitmapResource(*buttons_.at("imgMin"), "btn_min_up");
    LoadBitmapResource(*buttons_.at("imgClose"), "btn_close_up");
}

void Chrome::applyMask(QWidget* window) {
    std::vector<std::pair<QPoint, QImage>> pictures;
    for (const auto& [name, image] : skin_) pictures.emplace_back(image->pos(), image->image());
    window->setMask(SkinMask(pictures, window->size()));
}

void Chrome::raiseButtons() {
    for (const auto& [name, image] : buttons_) image->raise();
}

}  // namespace dorvane::app
