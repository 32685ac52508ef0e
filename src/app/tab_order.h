// SPDX-License-Identifier: GPL-3.0-or-later
// The order in which Tab and Shift+Tab visit the window's controls: the side
// buttons, the resources and about buttons, then the page shown (its controls and
// the links of its texts in reading order), then minimise and close. Pages lying
// under the one shown are never visited.
#pragma once

#include <QWidget>
#include <vector>

namespace dorvane::app {

struct FocusStop {
    QWidget* widget = nullptr;
    int link = -1;  // >= 0: that link of an HTML view
    friend bool operator==(const FocusStop&, const FocusStop&) = default;
};

// The stops inside `panel` (a page), in reading order: rows from top to bottom,
// each from left to right; an HTML view adds its links and form controls in
// document order. A control marked with the property kVisitLast (one put where
// there was room rather than where it belongs) comes after its page's others.
inline constexpr const char* kVisitLast = "dorvaneVisitLast";
std::vector<FocusStop> PanelStops(QWidget* panel);

// The stop that holds the keyboard focus now, as an index into `stops`; -1 when
// the focus is elsewhere.
int CurrentStop(const std::vector<FocusStop>& stops);

// Moves the focus to the next (or previous) stop, round the end. Returns false
// when there are no stops.
bool MoveFocus(const std::vector<FocusStop>& stops, bool next);

// Gives the focus to a stop.
void FocusStopNow(const FocusStop& stop, Qt::FocusReason reason);

}  // namespace dorvane::app
