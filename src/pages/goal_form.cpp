// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/goal_form.h"

#include <QPalette>

namespace dorvane::pages {

int GoalNumber(const QString& inputName) {
    if (inputName.isEmpty()) return 0;
    const QChar last = inputName.back();
    return (last >= QChar('1') && last <= QChar('7')) ? last.digitValue() : 0;
}

void ReadGoalForm(const std::vector<htmlview::FormControl>& form, compose::GoalBoard& board) {
    for (const htmlview::FormControl& c : form) {
        if (QLineEdit* edit = c.edit()) {
            if (const int n = GoalNumber(c.name))
                board.Goal[static_cast<std::size_t>(n)] = edit->text().toStdString();
        } else if (QCheckBox* box = c.checkBox()) {
            board.FontBullets = box->isChecked();
        }
    }
}

void FillGoalForm(const std::vector<htmlview::FormControl>& form, const compose::GoalBoard& board) {
    for (const htmlview::FormControl& c : form) {
        if (QLineEdit* edit = c.edit()) {
            const int n = GoalNumber(c.name);
            if (!n) continue;
            const QString goal = QString::fromStdString(board.Goal[static_cast<std::size_t>(n)]);
            edit->setText(goal.left(edit->maxLength()));
            QPalette palette = edit->palette();
            palette.setColor(QPalette::Base, QColor(255, 252, 235));
            edit->setPalette(palette);
            QFont font("Arial");
            font.setPointSize(8);
            edit->setFont(font);
            edit->setAccessibleName(QStringLiteral("Goal %1").arg(n));  // as the page labels it
        } else if (QCheckBox* box = c.checkBox()) {
            box->setChecked(board.FontBullets);
            box->setAccessibleName(QStringLiteral("Add bullets to text"));
        }
    }
}

void FocusFirstGoal(const std::vector<htmlview::FormControl>& form) {
    for (const htmlview::FormControl& c : form)
        if (QLineEdit* edit = c.edit(); edit && GoalNumber(c.name) == 1) edit->setFocus();
}

}  // namespace dorvane::pages
