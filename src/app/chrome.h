// SPDX-License-Identifier: GPL-3.0-or-later
// The skinned chrome of the main window: the skin pictures and image buttons at
// their fixed places, the see-through colour key, the caption strip that moves
// the window, and the pressed-face feedback of the image buttons.
#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QString>
#include <array>
#include <functional>
#include <map>
#include <string>

#include "app/image_control.h"

namespace dorvane::app {

inline constexpr int kWindowWidth = 678;
inline constexpr int kWindowHeight = 517;
inline constexpr QRgb kWindowKeyColor = 0xFF654321;  // RGB(101, 67, 33)

struct SkinPlace {
    const char* control;  // control name, also the skin bitmap's resource name
    int left, top, width, height;
};

// The fixed skin pictures, bottom of the z-order first.
inline constexpr std::array<SkinPlace, 9> kSkinPlaces = {{
    {"imgBorderTop", 0, 0, 680, 38},
    {"imgHeader", 0, 38, 680, 27},
    {"imgBorderLeft", 0, 65, 10, 413},
    {"imgButtonBottom", 10, 260, 110, 218},
    {"imgButtonsSide", 120, 65, 11, 413},
    {"imgBodyTop", 131, 65, 385, 1},
    {"imgQuote", 516, 65, 144, 413},
    {"imgBorderRight", 660, 65, 20, 413},
    {"imgBorderBottom", 0, 478, 680, 41},
}};

struct ButtonPlace {
    const char* control;
    const char* face;  // base name of the faces: face + "_up" / "_down"
    int left, top, width, height;
    bool handCursor;
    bool transparent;
};

inline constexpr std::array<ButtonPlace, 9> kButtonPlaces = {{
    {"imgButton1", "btn_1", 10, 65, 110, 39, true, false},
    {"imgButton2", "btn_2", 10, 104, 110, 39, true, false},
    {"imgButton3", "btn_3", 10, 143, 110, 39, true, false},
    {"imgButton4", "btn_4", 10, 182, 110, 39, true, false},
    {"imgButton5", "btn_5", 10, 221, 110, 39, true, false},
    {"imgAddRes", "btn_addRes", 15, 284, 101, 66, true, false},
    {"imgAbout", "btn_about", 15, 450, 101, 25, true, true},
    {"imgMin", "btn_min", 624, 12, 19, 19, false, true},
    {"imgClose", "btn_close", 647, 12, 19, 19, false, true},
}};

// The caption: imgBorderTop's rectangle less the two buttons (left/top edges in,
// right/bottom edges out).
bool InCaption(QPoint clientPoint);

// The window's shape: its client rectangle less every pixel of the colour key in
// the given pictures at their places (client coordinates). At a `ratio` other than
// 1 the shape is in device pixels: each picture (a 1x one, or an @2x twin whose
// device pixel ratio is 2) is scaled to its place at that ratio, and a device
// pixel is left out when it is mostly key colour.
QRegion SkinMask(const std::vector<std::pair<QPoint, QImage>>& pictures, QSize client,
                 double ratio = 1);

// Shows the down face, 70 ms later the up face, and 50 ms after that runs `then`;
// timers, not waits, so the window answers meanwhile. Nothing runs when
// `context` is gone first.
void AnimateButtonPress(ImageControl& image, const std::string& baseName, QObject* context,
                        std::function<void()> then);

// The skin and the image buttons, created on `window` in z-order.
class Chrome {
public:
    explicit Chrome(QWidget* window);

    ImageControl& button(const std::string& control) { return *buttons_.at(control); }
    ImageControl& skin(const std::string& control) { return *skin_.at(control); }
    // Loads the up faces of the four chrome buttons (the side buttons get theirs
    // from the page switch).
    void loadChromeFaces();
    // Applies the colour key as the window's shape: in device pixels where the
    // window system allows (X11), else in Qt's device-independent pixels. On
    // Wayland, which has no shapes, the skin's key pixels are transparent instead
    // and the shape only lets clicks through the corners.
    void applyMask(QWidget* window);
    // The colour of the window's frame (the left border's).
    QColor frameColour() { return skin("imgBorderLeft").image().pixelColor(0, 0); }
    // Brings the buttons above the page panels created after the skin.
    void raiseButtons();

private:
    std::map<std::string, ImageControl*> skin_;
    std::map<std::string, ImageControl*> buttons_;
    QRegion mask_;  // the shape in device-independent pixels, for a client area of
    QSize maskClient_;
};

}  // namespace dorvane::app
