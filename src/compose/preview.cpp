// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/preview.h"

#include <algorithm>
#include <cmath>

#include "compose/overlay.h"

namespace dorvane::compose {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0x0000FF;  // 0x00BBGGRR

// Draws on an image at `ratio` device pixels per preview pixel: each preview pixel
// is the block of device pixels from round(x · ratio) up to round((x + 1) · ratio).
// At ratio 1 a block is the one pixel.
class RatioPainter {
public:
    RatioPainter(imaging::Bitmap& image, double ratio) : image_(image), ratio_(ratio) {
        // The preview pixels that reach the image, plus one either side.
        limitX_ = static_cast<int>(std::ceil(image.width() / ratio)) + 1;
        limitY_ = static_cast<int>(std::ceil(image.height() / ratio)) + 1;
    }
    int limitX() const { return limitX_; }
    int limitY() const { return limitY_; }

    void put(int x, int y, std::uint32_t color) {
        const int x0 = std::max(Device(x), 0), x1 = std::min(Device(x + 1), image_.width());
        const int y0 = std::max(Device(y), 0), y1 = std::min(Device(y + 1), image_.height());
        for (int dy = y0; dy < y1; ++dy)
            for (int dx = x0; dx < x1; ++dx) image_.setPixel(dx, dy, color);
    }

private:
    // Called only for preview pixels within a few of the image.
    int Device(int v) const { return static_cast<int>(std::floor(v * ratio_ + 0.5)); }

    imaging::Bitmap& image_;
    double ratio_;
    int limitX_ = 0;
    int limitY_ = 0;
};

// A rectangle outline from (left, top) to (right, bottom), far edges excluded,
// clipped to the image. `dotted` leaves every other pixel (counted from the
// top-left corner) as it is.
void Outline(RatioPainter& painter, int left, int top, int right, int bottom, std::uint32_t color,
             bool dotted) {
    if (right - left < 1 || bottom - top < 1) return;
    auto put = [&](int x, int y) {
        if (x < -1 || y < -1 || x > painter.limitX() || y > painter.limitY()) return;
        if (dotted && ((x - left) + (y - top)) % 2 != 0) return;
        painter.put(x, y, color);
    };
    const int lastX = right - 1;
    const int lastY = bottom - 1;
    const int fromX = std::max(left, -1);
    const int toX = std::min(lastX, painter.limitX());
    for (int x = fromX; x <= toX; ++x) {
        put(x, top);
        put(x, lastY);
    }
    const int fromY = std::max(top, -1);
    const int toY = std::min(lastY, painter.limitY());
    for (int y = fromY; y <= toY; ++y) {
        put(left, y);
        put(lastX, y);
    }
}

}  // namespace

void DrawTextBoxFrame(imaging::Bitmap& image, const FrameRect& frame, double ratio) {
    RatioPainter painter(image, ratio);
    // The red dots go over the white line where a tiny box makes the two meet.
    Outline(painter, frame.left - 1, frame.top - 1, frame.right + 1, frame.bottom + 1, kWhite,
            false);
    Outline(painter, frame.left, frame.top, frame.right, frame.bottom, kRed, true);
}

imaging::Bitmap RefreshPreview(const imaging::Bitmap& previewPicture, const TextLayer& layer,
                               const TextRenderState& state, double ratio) {
    imaging::Bitmap shown = previewPicture;
    OverlayTextLayer(shown, layer);
    if (state.TextHeight > 0) DrawTextBoxFrame(shown, state.Frame, ratio);
    return shown;
}

}  // namespace dorvane::compose
