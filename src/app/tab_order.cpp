// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tab_order.h"

#include <QApplication>
#include <algorithm>

#include "htmlview/html_view.h"

namespace dorvane::app {
namespace {

constexpr int kRowTolerance = 6;  // controls this close in height share a row

bool Visits(const QWidget* w) {
    return !w->isHidden() && w->isEnabled() && !w->isWindow();
}

// Children in reading order: grouped into rows by their tops, each row by left.
std::vector<QWidget*> ReadingOrder(QWidget* parent) {
    std::vector<QWidget*> kids;
    for (QObject* o : parent->children())
        if (o->isWidgetType() && Visits(static_cast<QWidget*>(o)))
            kids.push_back(static_cast<QWidget*>(o));
    std::stable_sort(kids.begin(), kids.end(),
                     [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
    for (std::size_t row = 0; row < kids.size();) {
        std::size_t end = row + 1;
        while (end < kids.size() && kids[end]->y() - kids[row]->y() <= kRowTolerance) ++end;
        std::stable_sort(kids.begin() + long(row), kids.begin() + long(end),
                         [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
        row = end;
    }
    std::stable_partition(kids.begin(), kids.end(),
                          [](QWidget* w) { return !w->property(kVisitLast).toBool(); });
    return kids;
}

void Collect(QWidget* w, std::vector<FocusStop>& out) {
    if (auto* view = qobject_cast<htmlview::HtmlView*>(w)) {
        for (const htmlview::KeyboardStop& s : view->keyboardStops())
            if (s.link >= 0)
                out.push_back({view, s.link});
            else if (Visits(s.control))
                out.push_back({s.control, -1});
        return;
    }
    if (w->focusPolicy() & Qt::TabFocus) {
        out.push_back({w, -1});
        return;
    }
    for (QWidget* child : ReadingOrder(w)) Collect(child, out);
}

}  // namespace

std::vector<FocusStop> PanelStops(QWidget* panel) {
    std::vector<FocusStop> out;
    if (panel) Collect(panel, out);
    return out;
}

int CurrentStop(const std::vector<FocusStop>& stops) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus) return -1;
    auto* view = qobject_cast<htmlview::HtmlView*>(focus);
    const int link = view ? view->focusedLink() : -1;
    for (std::size_t i = 0; i < stops.size(); ++i)
        if (stops[i].widget == focus && (!view || stops[i].link == link)) return int(i);
    // Inside a control made of several widgets (a list's viewport, say).
    for (std::size_t i = 0; i < stops.size(); ++i)
        if (stops[i].link < 0 && stops[i].widget->isAncestorOf(focus)) return int(i);
    return -1;
}

void FocusStopNow(const FocusStop& stop, Qt::FocusReason reason) {
    if (auto* view = qobject_cast<htmlview::HtmlView*>(stop.widget); view && stop.link >= 0)
        view->setFocusedLink(stop.link);
    stop.widget->setFocus(reason);
}

bool MoveFocus(const std::vector<FocusStop>& stops, bool next) {
    if (stops.empty()) return false;
    const int n = int(stops.size());
    int at = CurrentStop(stops);
    if (at < 0) {
        // From a clicked page text, Tab goes on with that text's first link.
        QWidget* focus = QApplication::focusWidget();
        auto it = std::find_if(stops.begin(), stops.end(),
                               [focus](const FocusStop& s) { return s.widget == focus; });
        at = it != stops.end() ? int(it - stops.begin()) - (next ? 1 : 0) : (next ? -1 : 0);
    }
    const int to = ((at + (next ? 1 : -1)) % n + n) % n;
    FocusStopNow(stops[std::size_t(to)], next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

}  // namespace dorvane::app
