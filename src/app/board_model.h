// SPDX-License-Identifier: GPL-3.0-or-later
// The one owner of the board being edited: its goals, picture and style, the
// gallery's choice, the loaded photograph and the page-4 composition, with the
// undo history of the look. Pages read it and send it commands; it says what
// changed through its signals.
#pragma once

#include <QObject>
#include <QUndoStack>
#include <memory>
#include <optional>
#include <string>

#include "compose/board_composer.h"
#include "compose/board_look.h"
#include "compose/goal_board.h"
#include "gallery/gallery_page.h"
#include "imaging/bitmap.h"
#include "platform/screen.h"

namespace dorvane::app {

class BoardModel : public QObject {
    Q_OBJECT
public:
    // A new board for the screen; the composition is sized for it.
    BoardModel(const platform::ScreenInfo& screen, QObject* parent = nullptr);
    ~BoardModel() override;

    const compose::GoalBoard& board() const { return board_; }
    const platform::ScreenInfo& screen() const { return screen_; }

    // The window moved to a screen of other metrics: the board is restyled to look
    // there as it did (compose::RestyleBoard), the composition is sized for it and
    // the picture must be fitted again (pictureLoaded() is false). The history is
    // forgotten, since its steps hold positions on the other screen.
    void setScreen(const platform::ScreenInfo& screen);

    // Goals and bullets, as page 3's form holds them; no undo step.
    void setGoals(const compose::GoalBoard& from);
    // The chosen picture's catalogue name.
    void setPictureName(const std::string& name);
    // A board read from a file replaces the current one and forgets the history.
    void replaceBoard(compose::GoalBoard board);

    // The look (style and box) as one undoable edit named for a person ("Font",
    // "Move text"). An edit that continues the last one (same merge id, starting
    // where it ended: an arrow key held down) extends that step.
    void editLook(const compose::BoardLook& after, const QString& name, int mergeId = -1,
                  bool continuesLast = false);
    // The look without an undo step (the lists read back on activation).
    void setLook(const compose::BoardLook& look);
    QUndoStack& undoStack() { return undo_; }
    const QUndoStack& undoStack() const { return undo_; }

    // The gallery's catalogue and choice; the gallery page keeps them up to date.
    gallery::GalleryState& gallery() { return gallery_; }
    const gallery::GalleryState& gallery() const { return gallery_; }
    const imaging::Bitmap& fullPicture() const { return fullPicture_; }
    // The photograph decoded elsewhere becomes the loaded one, as picture n, with
    // the working pictures at screen and preview size made from it.
    void setLoadedPicture(int n, imaging::Bitmap full, imaging::Bitmap screen,
                          imaging::Bitmap preview);
    // The chosen picture is the loaded one (false before any is chosen).
    bool pictureLoaded() const {
        return gallery_.SelectedPicture > 0 && gallery_.LoadedPicture == gallery_.SelectedPicture;
    }

    // The page-4 composition.
    compose::BoardComposer& composer() { return *composer_; }
    const compose::BoardComposer& composer() const { return *composer_; }
    // Renders the text layer for the board as it is now.
    void render();
    // The preview's mouse on the text box: a press, moves (the box follows) and
    // the end of the drag, which becomes one undo step.
    void pressBox(compose::MouseButton button, QPoint at);
    compose::BoardComposer::MouseResult dragBox(QPoint at);
    void endDrag();
    bool dragging() const { return dragBefore_.has_value(); }
    // An arrow key on the preview (`repeated` while it is held down); false when
    // the box did not move.
    bool nudgeBox(int dx, int dy, bool repeated);

signals:
    // The style or the box changed (an edit, undo or redo): show it again.
    void lookChanged();
    // Another board was loaded, or the board was restyled for another screen.
    void boardReplaced();
    // The photograph changed.
    void pictureChanged();

private:
    platform::ScreenInfo screen_;
    compose::GoalBoard board_;
    gallery::GalleryState gallery_;
    imaging::Bitmap fullPicture_;
    std::unique_ptr<compose::BoardComposer> composer_;
    QUndoStack undo_;
    std::optional<compose::BoardLook> dragBefore_;
    // The board as last edited, and its look as restyled for the screen now.
    std::optional<compose::GoalBoard> styledOrigin_;
    compose::BoardLook restyledLook_;
    std::uint8_t dragMode_ = 0;  // what the press took: the box or one of its edges
};

}  // namespace dorvane::app
