// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/chrome.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include "platform/bitmap_resource.h"
#include "platform/window_system.h"

namespace dorvane::app {
namespace {

constexpr QRect kCaption(0, 0, 680, 38);
constexpr int kPressedFaceMs = 70;    // the down face
constexpr int kReleasedPauseMs = 50;  // the up face, before the command
constexpr QRect kMinRect(624, 12, 19, 19);
constexpr QRect kCloseRect(647, 12, 19, 19);

// Pressing on the top strip starts a system move of the window.
void MakeCaption(ImageControl& strip, QWidget* window) {
    strip.setPressHandler([window, &strip](QMouseEvent* event) {
        if (event->button() != Qt::LeftButton) return;
        const QPoint client = strip.mapTo(window, event->position().toPoint());
        if (!InCaption(client) || window->isMinimized()) return;
        if (QWindow* handle = window->windowHandle()) handle->startSystemMove();
    });
}

}  // namespace

bool InCaption(QPoint p) {
    return kCaption.contains(p) && !kMinRect.contains(p) && !kCloseRect.contains(p);
}

namespace {

// The picture at `ratio` with its key pixels transparent: at their own
// resolution the key pixels are exactly those of alpha 0.
QImage KeyedAtRatio(const QImage& picture, double ratio) {
    QImage keyed =
        KeyedOut(picture, kWindowKeyColor).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QSizeF logical = picture.deviceIndependentSize();
    const QSize device(qRound(logical.width() * ratio), qRound(logical.height() * ratio));
    if (device == keyed.size()) return keyed;
    return keyed.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

QRegion SkinMask(const std::vector<std::pair<QPoint, QImage>>& pictures, QSize client,
                 double ratio) {
    QRegion shape(QRect(0, 0, qRound(client.width() * ratio), qRound(client.height() * ratio)));
    for (const auto& [at, picture] : pictures) {
        const QImage keyed = KeyedAtRatio(picture, ratio);
        const QPoint origin(qRound(at.x() * ratio), qRound(at.y() * ratio));
        for (int y = 0; y < keyed.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(keyed.constScanLine(y));
            for (int x = 0; x < keyed.width();) {
                if (qAlpha(line[x]) >= 128) {
                    ++x;
                    continue;
                }
                const int start = x;
                while (x < keyed.width() && qAlpha(line[x]) < 128) ++x;
                shape -= QRect(origin.x() + start, origin.y() + y, x - start, 1);
            }
        }
    }
    return shape;
}

void AnimateButtonPress(ImageControl& image, const std::string& baseName, QObject* context,
                        std::function<void()> then) {
    LoadBitmapResource(image, baseName + "_down");
    QPointer<ImageControl> button(&image);
    QTimer::singleShot(kPressedFaceMs, context, [button, baseName] {
        if (button) LoadBitmapResource(*button, baseName + "_up");
    });
    QTimer::singleShot(kPressedFaceMs + kReleasedPauseMs, context, std::move(then));
}

Chrome::Chrome(QWidget* window) {
    for (const SkinPlace& p : kSkinPlaces) {
        auto* image = new ImageControl(window, p.control);
        image->setGeometry(p.left, p.top, p.width, p.height);
        image->setSeeThroughColour(kWindowKeyColor);  // a translucent window shows through
        LoadBitmapResource(*image, p.control);
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
    const double ratio = window->devicePixelRatioF();
    std::vector<std::pair<QPoint, QImage>> pictures;
    if (ratio != 1 && window->windowHandle() && !platform::IsWayland()) {
        for (const auto& [name, image] : skin_)
            pictures.emplace_back(image->pos(),
                                  image->image2x().isNull() ? image->image() : image->image2x());
        const QRegion device = SkinMask(pictures, window->size(), ratio);
        window->clearMask();  // Qt's own shape would replace ours
        if (platform::SetDeviceShape(*window->windowHandle(), device)) return;
        pictures.clear();
    }
    // The same skin gives the same shape: worked out once (start-up asks twice).
    if (mask_.isEmpty() || maskClient_ != window->size()) {
        for (const auto& [name, image] : skin_) pictures.emplace_back(image->pos(), image->image());
        mask_ = SkinMask(pictures, window->size());
        maskClient_ = window->size();
    }
    window->setMask(mask_);
}

void Chrome::raiseButtons() {
    for (const auto& [name, image] : buttons_) image->raise();
}

}  // namespace dorvane::app
