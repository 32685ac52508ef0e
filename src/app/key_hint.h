// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of page 4's preview, said where a person looks: while the preview has
// the keyboard focus (its dotted line shows), the hint line under it says what the
// arrow keys do there instead of how to drag with the mouse.
#pragma once

#include <QLabel>

namespace dorvane::app {

inline constexpr const char* kPreviewKeysHint = "Arrow keys move the text; Shift moves it by 10.";

class KeyHint : public QLabel {
    Q_OBJECT
public:
    // Covers the first line of `hintView` while `preview` has the focus.
    KeyHint(QWidget* preview, QWidget* hintView);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* preview_;
};

}  // namespace dorvane::app
