// SPDX-License-Identifier: GPL-3.0-or-later
// The focus ring: a frame around the control (or the link of a page) that has the
// keyboard focus, in two of the skin's colours: an amber line outside and a dark
// ink line inside it, so that it shows on light and dark faces and around amber
// buttons alike. It appears once the keyboard is used and goes
// again at the next mouse press, so mouse users see the window unchanged. It is
// drawn on a see-through layer above the window's controls that takes no clicks.
#pragma once

#include <QPointer>
#include <QWidget>

namespace dorvane::app {

inline constexpr QRgb kFocusRingColour = 0xFFE6923E;  // the skin's amber, outside
inline constexpr QRgb kFocusRingInk = 0xFF1B3440;     // the window frame's ink, inside

class FocusRing : public QWidget {
    Q_OBJECT
public:
    explicit FocusRing(QWidget* window);
    ~FocusRing() override;

    // Where the ring is drawn in the window, empty when none is shown.
    QRect ring() const { return ring_; }
    // Places the ring again (after the window raised a page, say).
    void follow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void retarget(QWidget* now);
    QRect targetRect() const;

    QPointer<QWidget> target_;
    QMetaObject::Connection linkWatch_;
    QRect ring_;
    bool keyboard_ = false;
    bool raisePending_ = false;
};

}  // namespace dorvane::app
