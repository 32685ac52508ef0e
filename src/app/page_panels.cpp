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

PreviewPage::PreviewPage(QWidget* window) : page4(WhitePanel(window, "page4")) {
    htmlBody41 = View(page4, "htmlBody41", QRect(-1, -1, 387, 26));
    htmlBody42 = View(page4, "htmlBody42", QRect(-1, 334, 387, 78));
    lblGeneratingPreview = new QLabel("Generating preview...", page4);
    lblGeneratingPreview->setObjectName("lblGeneratingPreview");
    lblGeneratingPreview->move(122, 136);
    lblGeneratingPreview->setFont(Arial(8, true));
    lblGeneratingPreview->setStyleSheet("color: #800000; background: white;");
    lblGeneratingPreview->adjustSize();
    imgPreview = new ImageControl(page4, "imgPreview");
    imgPreview->setGeometry(15, 27, 353, 262);
}

}  // namespace dorvane::app
