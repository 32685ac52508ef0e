// SPDX-License-Identifier: GPL-3.0-or-later
// The main window without a mouse: the names of its drawn controls, the order of
// the Tab key, and the focus kept on the page shown when the page changes.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTextEdit>

#include "app/accessibility.h"
#include "app/focus_ring.h"
#include "app/key_hint.h"
#include "app/main_window.h"

namespace dorvane::app {

void TformMain::MakeAccessible() {
    for (const ButtonPlace& b : kButtonPlaces)
        MakeKeyboardButton(chrome->button(b.control), ButtonCaption(b.control));
    // The preview moves its text box with the arrow keys: Tab reaches it too.
    page4->imgPreview->setAccessibleName("Preview of the goal board");
    page4->imgPreview->setFocusPolicy(Qt::StrongFocus);
    new KeyHint(page4->imgPreview, page4->htmlBody42);  // says so while it has the focus
    // Each list is labelled by the caption above it (on Linux a list's name is its value).
    for (QComboBox* list : page4->styleLists())
        if (auto* caption = page4->findChild<QLabel*>("lbl" + list->objectName().mid(2)))
            caption->setBuddy(list);
    page5->lbProjects->setAccessibleName("Saved goal boards");
    page5->memoGoals->setAccessibleName("Goals of the chosen board");
    page5->imgProjectPreview->setAccessibleName("Preview of the chosen board");
    focusRing = new FocusRing(this);
}

QWidget* TformMain::ShownPage() const {
    QWidget* top = childAt(kBodyArea.center());
    while (top && top->parentWidget() != this) top = top->parentWidget();
    return top;
}

std::vector<FocusStop> TformMain::TabStops() {
    std::vector<FocusStop> stops;
    for (const char* name : {"imgButton1", "imgButton2", "imgButton3", "imgButton4", "imgButton5",
                             "imgAddRes", "imgAbout"})
        stops.push_back({&chrome->button(name), -1});
    for (const FocusStop& s : PanelStops(ShownPage())) stops.push_back(s);
    stops.push_back({&chrome->button("imgMin"), -1});
    stops.push_back({&chrome->button("imgClose"), -1});
    return stops;
}

bool TformMain::focusNextPrevChild(bool next) {
    return MoveFocus(TabStops(), next);
}

// After a page change the focus stays on a side button that had it; focus left on
// a page that has gone under the new one moves to the new page's first control (a
// page text's first link only when it is in sight, else the text itself, which
// the arrow keys then scroll).
void TformMain::KeepFocusOnPage() {
    QWidget* focus = focusWidget();
    const std::vector<FocusStop> page = PanelStops(ShownPage());
    const bool onChrome = focus && focus->parentWidget() == this && focus != ShownPage() &&
                          !kBodyArea.contains(focus->geometry().center());
    if (!onChrome && CurrentStop(page) < 0 && !page.empty()) {
        FocusStop first = page.front();
        if (auto* view = qobject_cast<htmlview::HtmlView*>(first.widget);
            view && !view->viewport()->rect().contains(view->linkRect(first.link)))
            first.link = -1;
        if (first.link < 0)
            if (auto* view = qobject_cast<htmlview::HtmlView*>(first.widget))
                view->setFocusedLink(-1);
        FocusStopNow(first, Qt::OtherFocusReason);
    }
    if (focusRing) focusRing->follow();
}

}  // namespace dorvane::app
