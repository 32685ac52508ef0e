// SPDX-License-Identifier: GPL-3.0-or-later
// A short line at the foot of the page that goes away by itself: for what a person
// should know but need not answer, such as a link that no program could open.
#pragma once

#include <QLabel>
#include <QTimer>

namespace dorvane::app {

class Notice : public QLabel {
    Q_OBJECT
public:
    explicit Notice(QWidget* window);
    // Shows the text over the foot of the page body for a few seconds.
    void say(const QString& text);

private:
    QTimer hide_;
};

// What the notice says when no program could be started for a link.
QString LinkFailedText(const std::string& target);

}  // namespace dorvane::app
