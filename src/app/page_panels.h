// SPDX-License-Identifier: GPL-3.0-or-later
// The page panels of the body area (131, 66, 385 × 412) and the quotation
// column, at the places start-up gives them. Page 2 is the gallery's own page.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QTextEdit>
#include <QWidget>

#include "app/image_control.h"
#include "gallery/gallery_page.h"
#include "htmlview/html_view.h"

namespace dorvane::app {

inline constexpr QRect kBodyArea(131, 66, 385, 412);

// A white panel without a bevel.
QWidget* WhitePanel(QWidget* parent, const char* name);

// pageHTML: the shared body view of pages 1, 3, 6 (offline) and 7.
struct HtmlPage {
    explicit HtmlPage(QWidget* window);
    QWidget* pageHTML;
    htmlview::HtmlView* htmlBody;  // fills the panel
};

// page5: the saved boards.
struct SavedBoardsPage {
    explicit SavedBoardsPage(QWidget* window);
    QWidget* page5;
    htmlview::HtmlView* htmlBody51;
    htmlview::HtmlView* htmlBody52;
    QListWidget* lbProjects;
    gallery::ShapeControl* shapeProjectsBorder;
    QLabel* lblProjectsPreview;
    QTextEdit* memoGoals;
    ImageControl* imgProjectPreview;
};

}  // namespace dorvane::app
