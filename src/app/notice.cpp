// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/notice.h"

#include <QAccessible>

#include "app/page_panels.h"

namespace dorvane::app {

Notice::Notice(QWidget* window) : QLabel(window) {
    setObjectName("notice");
    setWordWrap(true);
    setMargin(6);
    setStyleSheet("QLabel { background: #FFF6D5; color: #000; border: 1px solid #C8A64B; }");
    setFont(Arial(9, false));
    hide();
    hide_.setSingleShot(true);
    hide_.setInterval(8000);
    connect(&hide_, &QTimer::timeout, this, &QWidget::hide);
}

void Notice::say(const QString& text) {
    setText(text);
    setAccessibleName(text);
    const int width = kBodyArea.width() - 16;
    const int height = heightForWidth(width);
    setGeometry(kBodyArea.left() + 8, kBodyArea.bottom() - 8 - height, width, height);
    show();
    raise();
    QAccessibleEvent event(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&event);
    hide_.start();
}

QString LinkFailedText(const std::string& target) {
    QString shown = QString::fromStdString(target);
    if (shown.startsWith("mailto:", Qt::CaseInsensitive)) shown.remove(0, 7);
    constexpr int kLongest = 80;  // a page may link to any address
    if (shown.size() > kLongest) shown = shown.left(50) + QChar(0x2026) + shown.right(25);
    return QString("No web browser or mail program could be started to open %1.").arg(shown);
}

}  // namespace dorvane::app
