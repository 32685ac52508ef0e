// SPDX-License-Identifier: GPL-3.0-or-later
// Page 4, "Preview and style": the page texts above and below, the composed
// preview with the text box frame, and the row of six style lists under it. The
// page reports choices, the mouse and keys to the window through callbacks; the
// window owns the board and the composition.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <functional>

#include "app/preview_canvas.h"
#include "compose/readability.h"
#include "compose/style_controls.h"
#include "htmlview/html_view.h"

class QShortcut;

namespace dorvane::app {

class PreviewPage : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPage(QWidget* parent);

    htmlview::HtmlView* htmlBody41;
    htmlview::HtmlView* htmlBody42;
    QLabel* lblGeneratingPreview;  // under imgPreview: shows while it is hidden
    PreviewCanvas* imgPreview;
    QComboBox* cbFont;
    QComboBox* cbStyle;
    QComboBox* cbSize;
    QComboBox* cbAlign;
    QComboBox* cbColor;  // swatches with the colour names
    QComboBox* cbShading;
    QLabel* lblReadability;        // on the title line: "Easy to read (7.32:1)"
    QPushButton* btnMakeReadable;  // a link beside it

    // The six lists in the order of the row.
    std::array<QComboBox*, 6> styleLists() const;

    // Puts the model's items into the lists (the fixed lists and the font list).
    void fillStyleLists(const compose::StyleControls& model);
    // Shows the model's selections; raises no choice.
    void showStyles(const compose::StyleControls& model);
    // The lists' selections into the model.
    void readStyles(compose::StyleControls& model) const;

    // The indicator for the board as the preview shows it; screen readers are told
    // when it changes.
    void showReadability(const compose::Readability& measure);

    // Undo and redo keys work only while the page is shown.
    void setShortcutsEnabled(bool on);

    std::function<void()> onStyleChosen;  // cbFontChange: the user chose an item
    std::function<void()> onUndo;
    std::function<void()> onRedo;
    std::function<void()> onMakeReadable;

private:
    void AddReadability();
    QComboBox* AddStyleList(const char* name, const char* label, int left, int labelLeft,
                            int width);

    QShortcut* undoKey_;
    QShortcut* redoKey_;
};

}  // namespace dorvane::app
