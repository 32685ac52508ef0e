// SPDX-License-Identifier: GPL-3.0-or-later
// The full-screen preview window: one picture across the whole screen, kept in
// proportion and centred on white, drawn with nearest-pixel scaling; any click or
// key (Shift alone too) closes it.
#pragma once

#include <QDialog>
#include <QImage>
#include <QRect>

namespace dorvane::gallery {

// Where a w×h picture is drawn in a cw×ch window: fitted with its aspect ratio
// (truncating), centred. 1600×1200 in 1920×1080 → 1440×1080 at (240, 0).
QRect FitPreviewRect(int w, int h, int cw, int ch);

class FullScreenPreview : public QDialog {
    Q_OBJECT
public:
    explicit FullScreenPreview(QWidget* parent = nullptr);

    static constexpr const char* kHint = "Click or press any key to close preview...";

    // Bounds in device pixels of the screen (left 0, top 0, width × height).
    void setScreenBounds(int width, int height);
    // Covers that screen, the one the main window is on.
    void placeOn(QScreen* screen);
    void setPicture(const QImage& picture);  // the caller's copy
    const QImage& picture() const { return picture_; }
    // Shows the window, modal to the program, until a click or key closes it.
    void present();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QImage picture_;
};

}  // namespace dorvane::gallery
