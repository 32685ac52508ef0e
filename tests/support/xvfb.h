// SPDX-License-Identifier: GPL-3.0-or-later
// An Xvfb server of the test's own, on a free display it picks itself, and the
// root window's pixels read back through xcb.
#pragma once

#include <sys/prctl.h>
#include <xcb/xcb.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "imaging/bitmap.h"

class XvfbServer {
public:
    // screen: "WIDTHxHEIGHTxDEPTH". Returns once the server accepts connections.
    explicit XvfbServer(const QString& screen = QStringLiteral("320x240x24")) {
        // Ends with the test process, even when that crashes.
        process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        // -noreset: the root pixmap must outlive the clients that set it.
        process_.start(QStringLiteral("Xvfb"),
                       {"-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"});
        QByteArray out;
        const QDeadlineTimer deadline(30000);
        while (!out.contains('\n') && process_.waitForReadyRead(deadline.remainingTime()))
            out += process_.readAllStandardOutput();
        if (!out.contains('\n')) throw std::runtime_error("Xvfb did not start");
        display_ = ":" + QString::fromLatin1(out.trimmed());
    }
    ~XvfbServer() {
        process_.terminate();  // lets it remove its lock file and socket
        if (!process_.waitForFinished(10000)) process_.kill();
        process_.waitForFinished(1000);
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    const QString& display() const { return display_; }

private:
    QProcess process_;
    QString display_;
};

// The root window's pixels on a 24-bit display (blue, green, red, unused per pixel).
inline dorvane::imaging::Bitmap ReadRootPixels(const QString& display) {
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> c(
        xcb_connect(display.toLatin1().constData(), nullptr), &xcb_disconnect);
    if (xcb_connection_has_error(c.get())) throw std::runtime_error("no X display");
    const xcb_screen_t* s = xcb_setup_roots_iterator(xcb_get_setup(c.get())).data;
    const auto cookie = xcb_get_image(c.get(), XCB_IMAGE_FORMAT_Z_PIXMAP, s->root, 0, 0,
                                      s->width_in_pixels, s->height_in_pixels, ~0u);
    std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> reply(
        xcb_get_image_reply(c.get(), cookie, nullptr), &std::free);
    const int w = s->width_in_pixels, h = s->height_in_pixels;
    if (!reply || xcb_get_image_data_length(reply.get()) != w * h * 4)
        throw std::runtime_error("cannot read the root window as 32-bit pixels");
    const std::uint8_t* p = xcb_get_image_data(reply.get());
    dorvane::imaging::Bitmap pixels(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x, p += 4) pixels.setPixel(x, y, p[2] | p[1] << 8 | p[0] << 16);
    return pixels;
}
