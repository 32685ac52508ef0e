// SPDX-License-Identifier: GPL-3.0-or-later
// The application's style for the page-4 lists: a value too long for its box ends
// in "…" rather than being cut off mid-letter, and (NarrowArrowStyle) the drop-down
// arrow area narrowed, for a very narrow list.
#pragma once

#include <QProxyStyle>

class QComboBox;

namespace dorvane::app {

class ElidedTextStyle : public QProxyStyle {
public:
    ElidedTextStyle();
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

class NarrowArrowStyle : public ElidedTextStyle {
public:
    // Pixels the arrow area gives to the text; the arrow itself keeps its size.
    static constexpr int kGiven = 6;

    NarrowArrowStyle();
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override;
};

// Give `list` a style of its own (deleted with the list).
void UseNarrowArrow(QComboBox* list);
void UseElidedText(QComboBox* list);

}  // namespace dorvane::app
