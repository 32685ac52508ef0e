// SPDX-License-Identifier: GPL-3.0-or-later
// The page panels of the body area (131, 66, 385 × 412) and the quotation
// column, at the places start-up gives them. Pages 2 and 5 are classes of their own.
#pragma once

#include <QFont>
#include <QLabel>
#include <QWidget>

#include "app/image_control.h"
#include "gallery/gallery_page.h"
#include "htmlview/html_view.h"

namespace dorvane::app {

inline constexpr QRect kBodyArea(131, 66, 385, 412);

// A white panel without a bevel.
QWidget* WhitePanel(QWidget* parent, const char* name);

// The pages' own captions and lists are set in Arial.
QFont Arial(int points, bool bold);

// A page text view named `name` at `place` in `parent`.
htmlview::HtmlView* View(QWidget* parent, const char* name, QRect place);

// pageHTML: the shared body view of pages 1, 3, 6 (offline) and 7.
class HtmlPage {
public:
    explicit HtmlPage(QWidget* window);
    QWidget* panel() const { return panel_; }
    htmlview::HtmlView* view() const { return view_; }  // fills the panel

private:
    QWidget* panel_;
    htmlview::HtmlView* view_;
};

}  // namespace dorvane::app
