// SPDX-License-Identifier: GPL-3.0-or-later
// The screen the program composes for: its size in device pixels, its "pixels
// per inch" (logical DPI × device pixel ratio) and that ratio. Read where it is used, through
// one interface, so tests can pose as a 1024×768 screen at 96 DPI.
#pragma once

class QScreen;

namespace dorvane::platform {

struct ScreenInfo {
    int width = 0;
    int height = 0;
    int dpi = 96;
    double ratio = 1;  // device pixels per logical pixel
    friend bool operator==(const ScreenInfo&, const ScreenInfo&) = default;
};

class Screen {
public:
    virtual ~Screen() = default;
    virtual ScreenInfo info() const = 0;
};

// A screen of fixed metrics: tests, and the headless render command.
class FixedScreen : public Screen {
public:
    explicit FixedScreen(ScreenInfo info) : info_(info) {}
    ScreenInfo info() const override { return info_; }
    void set(ScreenInfo info) { info_ = info; }

private:
    ScreenInfo info_;
};

// A screen's metrics as Qt reports them.
ScreenInfo ScreenInfoOf(const QScreen& screen);

// The primary screen as Qt reports it; needs a QGuiApplication.
class QtScreen : public Screen {
public:
    ScreenInfo info() const override;
};

}  // namespace dorvane::platform
