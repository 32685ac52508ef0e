// SPDX-License-Identifier: GPL-3.0-or-later
// What each entry of the shading list draws beside the goal text, and how large it
// is at a given resolution.
#pragma once

#include <cstdint>

namespace dorvane::compose {

enum class ShadingKind {
    None,
    Shadow,   // one copy of the text one pixel right and down
    Outline,  // a halo all round each glyph
    Band,     // a translucent rectangle behind the whole text block
};

struct Shading {
    ShadingKind kind = ShadingKind::None;
    std::uint32_t color = 0;  // 0x00BBGGRR: black for the dark entries, white for the bright
    int opacity = 255;        // 0 to 255; below 255 only for bands
};

// The meaning of a FontShading value. Values beyond the list (edited files) draw
// nothing, as the original program does with anything above 2.
Shading ShadingOf(std::uint8_t value);

// The halo's width beyond the glyph edges in device pixels: 3 at 96 dpi, growing
// with the resolution so that it looks alike on HiDPI screens, never below 2.
// Three pixels cover the ring that the readability measure looks at.
int OutlineRadius(int dpi);

// How far a band reaches beyond the character cells of the text: three tenths of
// the em height, at least 6 pixels at 96 dpi (scaled likewise).
int BandMargin(int em, int dpi);

}  // namespace dorvane::compose
