// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/page_panels.h"

#include <QHBoxLayout>

namespace dorvane::app {
namespace {

htmlview::HtmlView* View(QWidget* parent, const char* name, QRect place) {
    auto* view = new htmlview::HtmlView(parent);
    view->setObjectName(name);
    view->setGeometry(place);
    return view;
}

QFont Arial(int points, bool bold) {
    QFont font("Arial");
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

}  // namespace

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

HtmlPage::HtmlPage(QWidget* window) : pageHTML(WhitePanel(window, "pageHTML")) {
    htmlBody = View(pageHTML, "htmlBody", QRect(0, 0, 385, 412));
    // Aligned to fill the whole panel, which the page switch widens and narrows.
    auto* layout = new QHBoxLayout(pageHTML);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(htmlBody);
}

SavedBoardsPage::SavedBoardsPage(QWidget* window) : page5(WhitePanel(window, "page5")) {
    htmlBody51 = View(page5, "htmlBody51", QRect(-1, -1, 387, 25));
    htmlBody52 = View(page5, "htmlBody52", QRect(-1, 187, 387, 33));
    shapeProjectsBorder =
        new gallery::ShapeControl(page5, "shapeProjectsBorder", QColor(223, 216, 173), 1);
    shapeProjectsBorder->setGeometry(4, 30, 376, 149);
    lbProjects = new QListWidget(page5);
    lbProjects->setObjectName("lbProjects");
    lbProjects->setGeometry(5, 31, 374, 147);
    lbProjects->setFrameShape(QFrame::NoFrame);
    lbProjects->setSortingEnabled(true);
    lbProjects->setFont(Arial(10, true));
    lbProjects->setStyleSheet("QListWidget::item { height: 16px; }");
    lblProjectsPreview = new QLabel("Preview:", page5);
    lblProjectsPreview->setObjectName("lblProjectsPreview");
    lblProjectsPreview->move(5, 224);
    lblProjectsPreview->setFont(Arial(8, true));
    lblProjectsPreview->adjustSize();
    memoGoals = new QTextEdit(page5);
    memoGoals->setObjectName("memoGoals");
    memoGoals->setGeometry(5, 239, 185, 167);
    memoGoals->setReadOnly(true);
    memoGoals->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoGoals->setFont(Arial(8, false));
    imgProjectPreview = new ImageControl(page5, "imgProjectPreview");
    imgProjectPreview->setGeometry(195, 239, 182, 169);
    imgProjectPreview->hide();
}

}  // namespace dorvane::app
