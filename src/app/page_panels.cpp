// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/page_panels.h"

#include <QHBoxLayout>

namespace dorvane::app {

QWidget* WhitePanel(QWidget* parent, const char* name) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setGeometry(kBodyArea);
    panel->setAutoFillBackground(true);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, Qt::white);
    panel->setPalette(p);
    return panel;
}

QFont Arial(int points, bool bold) {
    QFont font("Arial");
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

htmlview::HtmlView* View(QWidget* parent, const char* name, QRect place) {
    auto* view = new htmlview::HtmlView(parent);
    view->setObjectName(name);
    view->setGeometry(place);
    return view;
}

HtmlPage::HtmlPage(QWidget* window) : panel_(WhitePanel(window, "pageHTML")) {
    view_ = View(panel_, "htmlBody", QRect(0, 0, 385, 412));
    // Aligned to fill the whole panel, which the page switch widens and narrows.
    auto* layout = new QHBoxLayout(panel_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
}

}  // namespace dorvane::app
