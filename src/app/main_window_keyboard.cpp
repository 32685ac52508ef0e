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
#include "app/main_window.h"
#include "app/preview_page.h"
#include "app/saved_boards_page.h"
#include "htmlview/html_view.h"

namespace dorvane::app {

void MainWindow::makeAccessible() {
    for (const ButtonPlace& b : kButtonPlaces)
        MakeKeyboardButton(chrome_->button(b.control), ButtonCaption(b.control));
    focusRing_ = new FocusRing(this);
}

void MainWindow::makePagesAccessible() {
    // The preview moves its text box with the arrow keys: Tab reaches it too.
    previewPage_->canvas()->setAccessibleName("Preview of the goal board");
    previewPage_->canvas()->setFocusPolicy(Qt::StrongFocus);
    // Each list is labelled by the caption above it (on Linux a list's name is its value).
    for (QComboBox* list : previewPage_->styleLists())
        if (auto* caption = previewPage_->findChild<QLabel*>("lbl" + list->objectName().mid(2)))
            caption->setBuddy(list);
    savedBoardsPage_->makeAccessible();
}

QWidget* MainWindow::shownPage() const {
    QWidget* top = childAt(kBodyArea.center());
    while (top && top->parentWidget() != this) top = top->parentWidget();
    return top;
}

std::vector<FocusStop> MainWindow::tabStops() {
    std::vector<FocusStop> stops;
    for (const char* name : {"imgButton1", "imgButton2", "imgButton3", "imgButton4", "imgButton5",
                             "imgAddRes", "imgAbout"})
        stops.push_back({&chrome_->button(name), -1});
    for (const FocusStop& s : PanelStops(shownPage())) stops.push_back(s);
    stops.push_back({&chrome_->button("imgMin"), -1});
    stops.push_back({&chrome_->button("imgClose"), -1});
    return stops;
}

bool MainWindow::focusNextPrevChild(bool next) {
    return MoveFocus(tabStops(), next);
}

// After a page change the focus stays on a side button that had it; focus left on
// a page that has gone under the new one moves to the new page's first control (a
// page text's first link only when it is in sight, else the text itself, which
// the arrow keys then scroll).
void MainWindow::keepFocusOnPage() {
    QWidget* focus = focusWidget();
    const bool onChrome = focus && focus->parentWidget() == this && focus != shownPage() &&
                          !kBodyArea.contains(focus->geometry().center());
    if (!onChrome && CurrentStop(PanelStops(shownPage())) < 0)
        focusPageStart();
    else if (focusRing_)
        focusRing_->follow();
}

void MainWindow::focusPageStart() {
    const std::vector<FocusStop> page = PanelStops(shownPage());
    if (!page.empty()) {
        FocusStop first = page.front();
        if (auto* view = qobject_cast<htmlview::HtmlView*>(first.widget);
            view && !view->viewport()->rect().contains(view->linkRect(first.link)))
            first.link = -1;
        if (first.link < 0)
            if (auto* view = qobject_cast<htmlview::HtmlView*>(first.widget))
                view->setFocusedLink(-1);
        FocusStopNow(first, Qt::OtherFocusReason);
    }
    if (focusRing_) focusRing_->follow();
}

}  // namespace dorvane::app
