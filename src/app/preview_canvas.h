// SPDX-License-Identifier: GPL-3.0-or-later
// The page-4 preview: shows the composed board from its top-left corner at the
// image's own device pixel ratio (a HiDPI preview is not scaled up) and reports
// every mouse move (with or without a button held; Qt keeps sending moves outside
// the control while a button is held), presses, releases, the end of a drag, and
// the arrow keys while it has the keyboard focus (a click gives it).
#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "compose/text_box.h"

namespace dorvane::app {

class PreviewCanvas : public QWidget {
    Q_OBJECT
public:
    explicit PreviewCanvas(QWidget* parent);

    void setImage(const QImage& image);
    const QImage& image() const { return image_; }
    void setCursorShape(compose::CursorShape shape);
    // Counts the paints, so a caller can wait for the preview to be shown.
    std::uint64_t paintCount() const { return paints_; }

signals:
    void mousePressed(dorvane::compose::MouseButton button, QPoint at);
    void mouseMoved(QPoint at, bool buttonHeld);
    void mouseReleased(dorvane::compose::MouseButton button, QPoint at);
    void dragLost();  // the control lost the mouse without a release
    // An arrow key: the step in full-size pixels (Shift: 10); `repeated` when the
    // key is held down.
    void nudged(int dx, int dy, bool repeated);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QImage image_;
    std::uint64_t paints_ = 0;
};

}  // namespace dorvane::app
