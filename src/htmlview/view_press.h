// SPDX-License-Identifier: GPL-3.0-or-later
// What the view remembers between a mouse press and its release.
#pragma once

#include <optional>

#include "htmlview/html_view.h"

namespace dorvane::htmlview {

struct HtmlView::Press {
    Qt::MouseButton button = Qt::NoButton;
    std::optional<ViewObject> object;
    int generation = 0;
    bool selecting = false;
};

}  // namespace dorvane::htmlview
