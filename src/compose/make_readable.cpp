// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/make_readable.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "compose/goal_text.h"
#include "compose/line_breaking.h"
#include "compose/shading.h"
#include "compose/text_layer.h"

namespace dorvane::compose {
namespace {

struct Lab {
    double l, a, b;
};

double Linear(int level) {
    const double c = level / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double LabF(double t) {
    constexpr double e = 216.0 / 24389.0, k = 24389.0 / 27.0;
    return t > e ? std::cbrt(t) : (k * t + 16) / 116;
}

// sRGB (D65) to CIE L*a*b*.
Lab ToLab(Color color) {
    const auto c = static_cast<std::uint32_t>(color);
    const double r = Linear(static_cast<int>(c & 0xFF)),
                 g = Linear(static_cast<int>((c >> 8) & 0xFF)),
                 b = Linear(static_cast<int>((c >> 16) & 0xFF));
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    const double fx = LabF(x), fy = LabF(y), fz = LabF(z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double ShadingCost(std::uint8_t shading) {
    const Shading s = ShadingOf(shading);
    switch (s.kind) {
        case ShadingKind::None:
            return 0.5;
        case ShadingKind::Shadow:
            return 1;
        case ShadingKind::Outline:
            return 2;
        case ShadingKind::Band:
            return 2.5 + 2.5 * s.opacity / 255.0;
    }
    return 0.5;
}

struct Candidate {
    Color color;
    std::uint8_t shading;
    double cost;
};

std::vector<Candidate> Candidates(const GoalBoard& board) {
    std::vector<Color> colors;
    for (const NamedColor& c : kColors) colors.push_back(c.value);
    if (std::find(colors.begin(), colors.end(), board.FontColor) == colors.end())
        colors.push_back(board.FontColor);
    std::vector<std::uint8_t> shadings;
    for (std::size_t s = 0; s < kShadingNames.size(); ++s)
        shadings.push_back(static_cast<std::uint8_t>(s));
    if (board.FontShading >= kShadingNames.size()) shadings.push_back(board.FontShading);
    std::vector<Candidate> list;
    for (Color color : colors)
        for (std::uint8_t shading : shadings)
            list.push_back({color, shading,
                            LookChangeCost(board.FontColor, board.FontShading, color, shading)});
    // Ties keep list order with the shading varying fastest within one colour.
    std::stable_sort(list.begin(), list.end(),
                     [](const Candidate& a, const Candidate& b) { return a.cost < b.cost; });
    return list;
}

bool HasGoals(const GoalBoard& board) {
    for (int i = 1; i <= kGoalCount; ++i) {
        if (!TrimGoal(QString::fromStdString(board.Goal[static_cast<std::size_t>(i)])).isEmpty())
            return true;
    }
    return false;
}

}  // namespace

double LookChangeCost(Color fromColor, std::uint8_t fromShading, Color toColor,
                      std::uint8_t toShading) {
    double cost = 0;
    if (toColor != fromColor) {
        const Lab a = ToLab(fromColor), b = ToLab(toColor);
        cost += 1 + std::hypot(a.l - b.l, a.a - b.a, a.b - b.b) / 25;
    }
    if (toShading != fromShading) cost += ShadingCost(toShading);
    return cost;
}

ReadableFix MakeReadable(const GoalBoard& board, const imaging::Bitmap& screen, int dpi) {
    ReadableFix fix;
    fix.FontColor = board.FontColor;
    fix.FontShading = board.FontShading;
    if (!HasGoals(board)) return fix;  // NoGoals
    TextLayer layer(screen.width(), screen.height());
    GoalBoard trial = board;
    const auto measure = [&](Color color, std::uint8_t shading) {
        trial.FontColor = color;
        trial.FontShading = shading;
        RenderTextLayer(layer, trial, dpi, screen.width());
        ++fix.measured;
        return MeasureBoardReadability(screen, layer, color);
    };
    fix.before = measure(board.FontColor, board.FontShading);
    fix.after = fix.before;
    if (layer.drawnBounds().isEmpty() && !fix.before.visible()) {
        fix.outcome = ReadableOutcome::OffPicture;
        return fix;
    }
    if (fix.before.readable()) {
        fix.outcome = ReadableOutcome::AlreadyReadable;
        return fix;
    }
    fix.outcome = ReadableOutcome::BestEffort;
    for (const Candidate& c : Candidates(board)) {
        if (c.cost == 0) continue;  // the board as it is, measured above
        const Readability r = measure(c.color, c.shading);
        if (r.visible() && (!fix.after.visible() || r.ratio > fix.after.ratio)) {
            fix.after = r;
            fix.FontColor = c.color;
            fix.FontShading = c.shading;
        }
        if (r.readable()) {
            fix.outcome = ReadableOutcome::Changed;
            fix.after = r;
            fix.FontColor = c.color;
            fix.FontShading = c.shading;
            break;
        }
    }
    if (!fix.after.visible()) fix.outcome = ReadableOutcome::OffPicture;
    return fix;
}

std::string ColorName(Color color) {
    for (const NamedColor& c : kColors)
        if (c.value == color) return std::string(c.name);
    const auto v = static_cast<std::uint32_t>(color);
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
    return text;
}

std::string ShadingName(std::uint8_t shading) {
    return shading < kShadingNames.size() ? std::string(kShadingNames[shading]) : "none";
}

std::string DescribeFix(const ReadableFix& fix, const GoalBoard& before) {
    switch (fix.outcome) {
        case ReadableOutcome::NoGoals:
            return "every goal is empty: nothing to make readable";
        case ReadableOutcome::OffPicture:
            return "no goal text falls on the picture (the box lies outside it or the text "
                   "cannot be seen in any colour): nothing changed";
        case ReadableOutcome::AlreadyReadable:
            return "already easy to read: nothing changed";
        default:
            break;
    }
    std::string text;
    if (fix.FontColor != before.FontColor)
        text = "colour " + ColorName(before.FontColor) + " -> " + ColorName(fix.FontColor);
    if (fix.FontShading != before.FontShading) {
        if (!text.empty()) text += ", ";
        text += "shading \"" + ShadingName(before.FontShading) + "\" -> \"" +
                ShadingName(fix.FontShading) + "\"";
    }
    if (fix.outcome == ReadableOutcome::BestEffort)
        return "no colour and shading reach 4.5:1; the most readable found: " +
               (text.empty() ? std::string("the board as it is") : text);
    return text;
}

}  // namespace dorvane::compose
