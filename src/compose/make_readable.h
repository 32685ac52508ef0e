// SPDX-License-Identifier: GPL-3.0-or-later
// "Make readable": the least visible change of the text colour and shading that
// brings the board's readability (compose/readability.h) to at least 4.5:1. The
// goals, font, size, style, alignment and box are never touched.
//
// How the choice is made. Every pair of a colour (the 20 of the colour list and
// the board's own) and a shading (the 13 of the shading list and the board's own)
// is a candidate, priced by how much it changes the look:
//   colour:  0 when kept, else 1 + ΔE/25, ΔE the CIE 1976 distance in L*a*b*
//            between the old and new colour (black to white costs 5, white to
//            cream 1.24, grey to silver 1.96);
//   shading: 0 when kept, else none 0.5, a shadow 1, an outline 2, a band
//            2.5 + 2.5 × its opacity (35 % 3.4, 50 % 3.75, 65 % 4.1, 80 % 4.5).
// Candidates are measured from the cheapest up (ties in list order, shading
// first), and the first that reaches 4.5:1 wins. So the person's colour is kept
// whenever a shadow, an outline or a light band can do it, a near colour beats a
// far one, and a band darkens only as much as the photograph needs.
#pragma once

#include <cstdint>
#include <string>

#include "compose/goal_board.h"
#include "compose/readability.h"
#include "imaging/bitmap.h"

namespace dorvane::compose {

enum class ReadableOutcome {
    AlreadyReadable,  // nothing changed
    Changed,          // the cheapest look that reaches 4.5:1
    BestEffort,       // nothing reaches 4.5:1: the most readable look found
    NoGoals,          // every goal is empty: nothing to do
    OffPicture,       // the text lies wholly outside the picture: nothing to measure
};

struct ReadableFix {
    ReadableOutcome outcome = ReadableOutcome::NoGoals;
    Color FontColor = 0;  // the look chosen: the board's own unless changed
    std::uint8_t FontShading = 0;
    Readability before;
    Readability after;
    int measured = 0;  // candidates measured
};

// The price of changing the look from one colour and shading to another.
double LookChangeCost(Color fromColor, std::uint8_t fromShading, Color toColor,
                      std::uint8_t toShading);

// Chooses the look for `board` over `screen` (its picture at screen size) with
// text drawn at `dpi`. Needs a QGuiApplication for the fonts; any thread.
ReadableFix MakeReadable(const GoalBoard& board, const imaging::Bitmap& screen, int dpi);

// What the fix did, in one line for a person ("outline added", …).
std::string DescribeFix(const ReadableFix& fix, const GoalBoard& before);

// The name of a colour value: its list name, or "#RRGGBB".
std::string ColorName(Color color);
// The name of a shading value: its list name, or "none" beyond the list.
std::string ShadingName(std::uint8_t shading);

}  // namespace dorvane::compose
