// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/key_hint.h"

#include <QEvent>

#include "app/page_panels.h"

namespace dorvane::app {

KeyHint::KeyHint(QWidget* preview, QWidget* hintView)
    : QLabel(kPreviewKeysHint, hintView->parentWidget()), preview_(preview) {
    setObjectName("lblPreviewKeys");
    setFont(Arial(10, false));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    // The page text's first line: inside the view's margins (4 and 2 pixels).
    const QRect view = hintView->geometry();
    setGeometry(view.left() + 4, view.top() + 2, view.width() - 8, fontMetrics().height() + 1);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setVisible(preview->hasFocus());
    raise();
    preview->installEventFilter(this);
}

bool KeyHint::eventFilter(QObject* watched, QEvent* event) {
    if (watched == preview_ &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        setVisible(event->type() == QEvent::FocusIn);
        if (isVisible()) raise();
    }
    return QLabel::eventFilter(watched, event);
}

}  // namespace dorvane::app
