// SPDX-License-Identifier: GPL-3.0-or-later
// The application's style with the drop-down arrow area narrowed, for a very narrow list.
#pragma once

#include <QProxyStyle>

class QComboBox;

namespace dorvane::app {

class NarrowArrowStyle : public QProxyStyle {
public:
    // Pixels the arrow area gives to the text; the arrow itself keeps its size.
    static constexpr int kGiven = 6;

    NarrowArrowStyle();
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override;
};

// Gives `list` a NarrowArrowStyle of its own (deleted with the list).
void UseNarrowArrow(QComboBox* list);

}  // namespace dorvane::app
