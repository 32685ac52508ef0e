// SPDX-License-Identifier: GPL-3.0-or-later
// The words of a laid-out page as a screen reader reads them: one string with a
// line break after each line on screen, and the way back from its offsets to the
// layout's text positions (which count no line breaks) and fragments.
#pragma once

#include <QString>
#include <vector>

#include "htmlview/layout.h"

namespace dorvane::htmlview {

struct AccessibleText {
    struct Span {
        int offset;    // in text
        int textPos;   // the fragment's first text position
        int length;    // characters
        int fragment;  // index into the layout's fragments
    };
    QString text;
    std::vector<Span> spans;  // in offset order

    // Offsets and text positions, both ways; out-of-range values are clamped.
    int offsetOf(int textPos) const;
    int textPosOf(int offset) const;
    // The span holding an offset, or null for a line break or the end.
    const Span* spanAt(int offset) const;
};

AccessibleText BuildAccessibleText(const LayoutResult& layout);

}  // namespace dorvane::htmlview
