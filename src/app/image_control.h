// SPDX-License-Identifier: GPL-3.0-or-later
// A picture control: shows a bitmap unscaled from its top-left corner, optionally
// "transparent" (the colour of the picture's bottom-left pixel is left out, so the
// skin shows through), and reports clicks. The skin, the image buttons and the
// page-4 preview are made of these. A picture may come with a twin drawn at twice
// the resolution, shown instead on screens whose device pixel ratio is above 1.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>
#include <string_view>

namespace dorvane::app {

class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget* parent, const char* objectName = nullptr);

    // `image2x`: the same picture at twice the resolution, or a null image.
    void setImage(const QImage& image, const QImage& image2x = QImage());
    const QImage& image() const { return image_; }
    const QImage& image2x() const { return image2x_; }
    void setTransparent(bool on);
    bool transparent() const { return transparent_; }
    // Pixels of this colour are left out too (the window's see-through colour).
    void setSeeThroughColour(QRgb colour);

    // What a click (or Space on a focused button) and a double-click do; each runs
    // through the command guard.
    void setClickHandler(std::function<void()> handler) { onClick_ = std::move(handler); }
    void setDoubleClickHandler(std::function<void()> handler) {
        onDoubleClick_ = std::move(handler);
    }
    void setPressHandler(std::function<void(QMouseEvent*)> handler) {
        onPress_ = std::move(handler);  // before a click is recognised
    }
    bool clickable() const { return bool(onClick_); }
    void click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::function<void()> onClick_;
    std::function<void()> onDoubleClick_;
    std::function<void(QMouseEvent*)> onPress_;
    void prepare();

    QImage image_;
    QImage image2x_;
    QImage shown_;    // image_ with the transparent colours keyed out
    QImage shown2x_;  // the same for image2x_
    bool transparent_ = false;
    std::optional<QRgb> seeThrough_;
    bool pressed_ = false;
};

// Replaces the control's picture by the bitmap resource of that name and its @2x twin.
void LoadBitmapResource(ImageControl& image, std::string_view name);

// `image` with every pixel of `key` made fully transparent.
QImage KeyedOut(const QImage& image, QRgb key);

}  // namespace dorvane::app
