// SPDX-License-Identifier: GPL-3.0-or-later
// Page 4, "Preview and style": the page texts above and below, the composed
// preview with the text box frame, and the row of six style lists under it. The
// page is a view of the board model: it shows the model's look and sends it the
// person's edits (a style chosen, the box dragged or moved by keys, undo, redo).
#pragma once

#include <QComboBox>
#include <QFutureWatcher>
#include <QLabel>
#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "app/preview_canvas.h"
#include "compose/make_readable.h"
#include "compose/readability.h"
#include "compose/style_controls.h"
#include "htmlview/html_view.h"
#include "imaging/bitmap.h"

class QAction;
class QPushButton;

namespace dorvane::app {

class BoardModel;

class PreviewPage : public QWidget {
    Q_OBJECT
public:
    PreviewPage(QWidget* parent, BoardModel& model);

    htmlview::HtmlView* topText() const { return topText_; }
    htmlview::HtmlView* bottomText() const { return bottomText_; }  // the command links
    PreviewCanvas* canvas() const { return canvas_; }
    QLabel* waitLabel() const { return waitLabel_; }  // shows while the preview is hidden
    // The six lists in the order of the row: font, style, size, align, colour, shading.
    std::array<QComboBox*, 6> styleLists() const;
    QAction* undoAction() const { return undoAction_; }
    QAction* redoAction() const { return redoAction_; }
    QLabel* readabilityLabel() const { return readability_; }  // "Easy to read (7.32:1)"
    QPushButton* makeReadableButton() const { return makeReadable_; }
    // The indicator for the board as the preview shows it; screen readers are told
    // when it changes.
    void showReadability(const compose::Readability& measure);
    // "Make readable": the least visible change of colour and shading that makes
    // the goals easy to read, found on another thread, as one undo step.
    void makeReadable();

    // The font list offers the installed families among the board fonts.
    void fillStyleLists(const std::vector<std::string>& installedFamilies);
    const std::vector<std::string>& fontItems() const { return styles_.font.items; }
    // The lists' selections become the board's style, with no undo step (the
    // window does this each time it is activated).
    void readStylesIntoBoard();
    // Waits for the picture ("Generating preview..."), or shows the composed board.
    void showWaiting();
    void showComposed();
    // Undo and redo keys work only while the page is shown.
    void setShortcutsEnabled(bool on);

private:
    QComboBox* addStyleList(int index, const char* name, const char* label, int left, int labelLeft,
                            int width);
    void showBoardStyle();
    void chooseStyle(int list);
    void refresh();
    void showPreview(const imaging::Bitmap& composed);
    void mouseDown(compose::MouseButton button, QPoint at);
    void mouseMove(QPoint at, bool buttonHeld);
    void endDrag();
    void addReadability();
    void applyFix();
    void nudge(int dx, int dy, bool repeated);

    BoardModel& model_;
    compose::StyleControls styles_;
    htmlview::HtmlView* topText_;
    htmlview::HtmlView* bottomText_;
    QLabel* waitLabel_;
    PreviewCanvas* canvas_;
    std::array<QComboBox*, 6> lists_{};
    QAction* undoAction_;
    QAction* redoAction_;
    QLabel* readability_ = nullptr;
    QPushButton* makeReadable_ = nullptr;
    QFutureWatcher<compose::ReadableFix> fix_;
    compose::GoalBoard fixFor_;  // the board the search runs for
    int fixPicture_ = 0;
};

}  // namespace dorvane::app
