// SPDX-License-Identifier: GPL-3.0-or-later
// A picture control: shows a bitmap unscaled from its top-left corner, optionally
// "transparent" (the colour of the picture's bottom-left pixel is left out, so the
// skin shows through), and reports clicks. The skin, the image buttons and the
// page-4 preview are made of these.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <string_view>

namespace dorvane::app {

class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget* parent, const char* objectName = nullptr);

    void setImage(const QImage& image);
    const QImage& image() const { return image_; }
    void setTransparent(bool on);
    bool transparent() const { return transparent_; }

    std::function<void()> onClick;
    std::function<void()> onDoubleClick;
    std::function<void(QMouseEvent*)> onPress;  // before a click is recognised

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage image_;
    QImage shown_;  // image_ with the transparent colour keyed out
    bool transparent_ = false;
    bool pressed_ = false;
};

// Replaces the control's picture by the bitmap resource of that name.
void LoadBitmapResource(ImageControl& image, std::string_view name);

// `image` with every pixel of `key` made fully transparent.
QImage KeyedOut(const QImage& image, QRgb key);

}  // namespace dorvane::app
