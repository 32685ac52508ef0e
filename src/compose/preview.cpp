// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/preview.h"

#include <algorithm>

#include "compose/goal_board.h"
#include "compose/overlay.h"

namespace dorvane::compose {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0x0000FF;  // 0x00BBGGRR

// A rectangle outline from (left, top) to (right, bottom), far edges excluded,
// clipped to the sheet. `dotted` leaves every other pixel (counted from the
// top-left corner) as it is.
void Outline(Bitmap& sheet, int left, int top, int right, int bottom, std::uint32_t color,
             bool dotted) {
    if (right - left < 1 || bottom - top < 1) return;
    auto put = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= sheet.width() || y >= sheet.height()) return;
        if (dotted && ((x - left) + (y - top)) % 2 != 0) return;
        sheet.setPixel(x, y, color);
    };
    const int lastX = right - 1;
    const int lastY = bottom - 1;
    const int fromX = std::max(left, -1);
    const int toX = std::min(lastX, sheet.width());
    for (int x = fromX; x <= toX; ++x) {
        put(x, top);
        put(x, lastY);
    }
    const int fromY = std::max(top, -1);
    const int toY = std::min(lastY, sheet.height());
    for (int y = fromY; y <= toY; ++y) {
        put(left, y);
        put(lastX, y);
    }
}

}  // namespace

void DrawTextBoxFrame(Bitmap& image, const FrameRect& frame) {
    Bitmap sheet(image.width(), image.height());
    sheet.fill(TextKeyColor);
    Outline(sheet, frame.left - 1, frame.top - 1, frame.right + 1, frame.bottom + 1, kWhite, false);
    Outline(sheet, frame.left, frame.top, frame.right, frame.bottom, kRed, true);
    // Only the two outlines can hold anything but the key colour: whole rows at the
    // top and bottom, two columns on each side in between.
    const auto copy = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return;
        if (const std::uint32_t c = sheet.pixel(x, y); c != TextKeyColor) image.setPixel(x, y, c);
    };
    const int left = std::max(-1, frame.left - 1), right = std::min(image.width(), frame.right);
    const int top = std::max(-1, frame.top - 1), bottom = std::min(image.height(), frame.bottom);
    for (int y = top; y <= bottom; ++y) {
        const bool edgeRow = y <= frame.top || y >= frame.bottom - 1;
        if (edgeRow) {
            for (int x = left; x <= right; ++x) copy(x, y);
        } else {
            for (int x : {frame.left - 1, frame.left, frame.right - 1, frame.right}) copy(x, y);
        }
    }
}

Bitmap RefreshPreview(const Bitmap& previewPicture, const TextLayer& layer,
                      const TextRenderState& state) {
    Bitmap shown = previewPicture;
    OverlayTextLayer(shown, layer);
    if (state.TextHeight > 0) DrawTextBoxFrame(shown, state.Frame);
    return shown;
}

}  // namespace dorvane::compose
