// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/narrow_arrow_style.h"

#include <QApplication>
#include <QComboBox>
#include <QStyleOptionComboBox>

namespace dorvane::app {

// A style of the same kind as the application's: the proxy owns its base, so it
// cannot share the application's own instance.
ElidedTextStyle::ElidedTextStyle() : QProxyStyle(QApplication::style()->name()) {}

void ElidedTextStyle::drawControl(ControlElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    const auto* box = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (element != CE_ComboBoxLabel || !box || box->editable)
        return QProxyStyle::drawControl(element, option, painter, widget);
    QStyleOptionComboBox elided = *box;
    // The label is drawn one pixel inside the edit field on each side.
    const int room = subControlRect(CC_ComboBox, box, SC_ComboBoxEditField, widget).width() - 2;
    elided.currentText = box->fontMetrics.elidedText(box->currentText, Qt::ElideRight, room);
    QProxyStyle::drawControl(element, &elided, painter, widget);
}

NarrowArrowStyle::NarrowArrowStyle() = default;

QRect NarrowArrowStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                       SubControl part, const QWidget* widget) const {
    QRect r = QProxyStyle::subControlRect(control, option, part, widget);
    if (control != CC_ComboBox || r.isEmpty()) return r;
    const int given = option->direction == Qt::RightToLeft ? -kGiven : kGiven;
    if (part == SC_ComboBoxArrow) {
        // Narrowed from the text's side; the far edge stays where it was.
        given > 0 ? r.setLeft(r.left() + given) : r.setRight(r.right() + given);
    } else if (part == SC_ComboBoxEditField) {
        given > 0 ? r.setRight(r.right() + given) : r.setLeft(r.left() + given);
    }
    return r;
}

void UseNarrowArrow(QComboBox* list) {
    auto* style = new NarrowArrowStyle;
    style->setParent(list);
    list->setStyle(style);
}

void UseElidedText(QComboBox* list) {
    auto* style = new ElidedTextStyle;
    style->setParent(list);
    list->setStyle(style);
}

}  // namespace dorvane::app
