// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/line_breaking.h"

#include <algorithm>
#include <cstdint>

namespace dorvane::compose {
namespace {

bool IsTrimmed(QChar c) {
    return c.unicode() <= 0x20;
}

// Cumulative estimated widths: est[i] = estimated width of goal[0, i).
std::vector<std::int64_t> EstimatedPrefixWidths(const QString& goal, const EstimateChar& estimate) {
    std::vector<std::int64_t> est(static_cast<std::size_t>(goal.size()) + 1, 0);
    for (qsizetype i = 0; i < goal.size(); ++i)
        est[static_cast<std::size_t>(i) + 1] =
            est[static_cast<std::size_t>(i)] + std::max(1, estimate(goal[i]));
    return est;
}

// The largest n in [1, length] whose prefix of goal[start ...] fits `available`,
// or 1 when none does.
int FittingPrefix(const QString& goal, int start, int length, int available,
                  const MeasureText& measure, const std::vector<std::int64_t>& est) {
    auto fits = [&](int n) { return measure(goal, start, n) <= available; };
    // First guess from the estimate.
    const std::int64_t base = est[static_cast<std::size_t>(start)];
    const auto from = est.begin() + start + 1;
    const auto to = est.begin() + start + length + 1;
    int guess = static_cast<int>(std::upper_bound(from, to, base + available) - from);
    guess = std::clamp(guess, 1, length);
    int lo;  // largest length known to fit (0: none yet)
    int hi;  // smallest length known not to fit (length + 1: none)
    if (fits(guess)) {
        lo = guess;
        hi = length + 1;
        for (int step = 1; lo < length; step *= 2) {
            const int probe = std::min(length, lo + step);
            if (!fits(probe)) {
                hi = probe;
                break;
            }
            lo = probe;
        }
    } else {
        hi = guess;
        lo = 0;
        for (int step = 1; hi > 1; step *= 2) {
            const int probe = std::max(1, hi - step);
            if (fits(probe)) {
                lo = probe;
                break;
            }
            hi = probe;
        }
    }
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        (fits(mid) ? lo : hi) = mid;
    }
    return std::max(1, lo);
}

}  // namespace

QString TrimGoal(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && IsTrimmed(text[first])) ++first;
    while (last > first && IsTrimmed(text[last - 1])) --last;
    return text.mid(first, last - first);
}

std::vector<QString> BreakGoalLines(const QString& goal, int available, const MeasureText& measure,
                                    const EstimateChar& estimate) {
    std::vector<QString> lines;
    const std::vector<std::int64_t> est = EstimatedPrefixWidths(goal, estimate);
    int start = 0;
    int end = static_cast<int>(goal.size());
    while (start < end && IsTrimmed(goal[start])) ++start;
    while (end > start && IsTrimmed(goal[end - 1])) --end;
    while (start < end) {
        const int length = end - start;
        int n = FittingPrefix(goal, start, length, available, measure, est);
        // Never cut a character made of two UTF-16 units in half.
        if (n < length && goal[start + n - 1].isHighSurrogate()) n += n > 1 ? -1 : 1;
        if (n < length && goal[start + n] != u' ') {
            int back = n;
            while (back > 0 && goal[start + back - 1] != u' ') --back;
            if (back > 0) n = back;
        }
        lines.push_back(TrimGoal(goal.mid(start, n)));
        start += n;
        while (start < end && IsTrimmed(goal[start])) ++start;
    }
    return lines;
}

}  // namespace dorvane::compose
