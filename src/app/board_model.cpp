// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/board_model.h"

#include <QUndoCommand>
#include <utility>

#include "compose/board_scaling.h"

namespace dorvane::app {
namespace {

constexpr int kUndoLimit = 100;
constexpr int kNudgeMergeId = 1;

// One change of the look. The model already shows `after` when the command is
// pushed, so its first redo only repeats it.
class LookCommand : public QUndoCommand {
public:
    LookCommand(BoardModel& model, compose::BoardLook before, compose::BoardLook after,
                const QString& name, int mergeId, bool continues)
        : QUndoCommand(name),
          model_(model),
          before_(std::move(before)),
          after_(std::move(after)),
          mergeId_(mergeId),
          continues_(continues) {}

    void undo() override { model_.setLook(before_); }
    void redo() override { model_.setLook(after_); }
    int id() const override { return mergeId_; }
    bool mergeWith(const QUndoCommand* other) override {
        // Only a step that goes on from where this one ended; back at the start,
        // the step is no step at all.
        const auto* next = static_cast<const LookCommand*>(other);
        if (!next->continues_ || next->before_ != after_) return false;
        after_ = next->after_;
        if (after_ == before_) setObsolete(true);
        return true;
    }

private:
    BoardModel& model_;
    compose::BoardLook before_;
    compose::BoardLook after_;
    int mergeId_;
    bool continues_;
};

}  // namespace

BoardModel::BoardModel(const platform::ScreenInfo& screen, QObject* parent)
    : QObject(parent),
      screen_(screen),
      board_(compose::NewBoard(screen.width)),
      composer_(std::make_unique<compose::BoardComposer>(screen.width, screen.height, screen.dpi,
                                                         screen.ratio)) {
    undo_.setUndoLimit(kUndoLimit);
}

BoardModel::~BoardModel() = default;

void BoardModel::setScreen(const platform::ScreenInfo& screen) {
    if (screen == screen_ || screen.width < 1 || screen.height < 2) return;
    endDrag();
    // Restyled from the board as last edited, so that moving to a monitor and back
    // gives the same look again rather than one rounded twice.
    if (!styledOrigin_ || compose::LookOf(board_) != restyledLook_) {
        styledOrigin_ = board_;
        const compose::ScreenSize from{screen_.width, screen_.height};
        if (compose::StyledScreen(board_, from) == from) {
            styledOrigin_->ScreenWidth = from.width;
            styledOrigin_->ScreenHeight = from.height;
        }
    }
    compose::GoalBoard restyled = *styledOrigin_;
    compose::RestyleBoard(restyled, {screen.width, screen.height}, screen.dpi);
    compose::ApplyLook(compose::LookOf(restyled), board_);
    board_.ScreenWidth = restyled.ScreenWidth;
    board_.ScreenHeight = restyled.ScreenHeight;
    restyledLook_ = compose::LookOf(board_);
    screen_ = screen;
    composer_ = std::make_unique<compose::BoardComposer>(screen.width, screen.height, screen.dpi,
                                                         screen.ratio);
    gallery_.LoadedPicture = 0;
    undo_.clear();
    emit boardReplaced();
}

void BoardModel::setGoals(const compose::GoalBoard& from) {
    board_.Goal = from.Goal;
    board_.FontBullets = from.FontBullets;
}

void BoardModel::setPictureName(const std::string& name) {
    board_.PicName = name;
}

void BoardModel::replaceBoard(compose::GoalBoard board) {
    endDrag();
    board_ = std::move(board);
    styledOrigin_.reset();
    undo_.clear();
    emit boardReplaced();
}

void BoardModel::editLook(const compose::BoardLook& after, const QString& name, int mergeId,
                          bool continuesLast) {
    const compose::BoardLook before = compose::LookOf(board_);
    if (before == after) return;
    setLook(after);
    undo_.push(new LookCommand(*this, before, after, name, mergeId, continuesLast));
}

void BoardModel::setLook(const compose::BoardLook& look) {
    compose::ApplyLook(look, board_);
    render();
    emit lookChanged();
}

void BoardModel::setLoadedPicture(int n, imaging::Bitmap full, imaging::Bitmap screen,
                                  imaging::Bitmap preview) {
    fullPicture_ = std::move(full);
    composer_->screenPicture() = std::move(screen);
    composer_->previewPicture() = std::move(preview);
    gallery_.LoadedPicture = n;
    emit pictureChanged();
}

void BoardModel::render() {
    composer_->render(board_);
}

void BoardModel::pressBox(compose::MouseButton button, QPoint at) {
    endDrag();  // a press while a drag is under way ends that drag first
    composer_->mouseDown(button, at.x(), at.y(), board_);
    dragMode_ = composer_->drag().DragMode;
    if (dragMode_ != compose::hzNone) dragBefore_ = compose::LookOf(board_);
}

compose::BoardComposer::MouseResult BoardModel::dragBox(QPoint at) {
    return composer_->mouseMove(at.x(), at.y(), board_);
}

void BoardModel::endDrag() {
    composer_->endDrag();
    const std::optional<compose::BoardLook> before = std::exchange(dragBefore_, std::nullopt);
    if (!before) return;
    const compose::BoardLook after = compose::LookOf(board_);
    if (after == *before) return;
    // The whole drag is one step, named for what it did to the box.
    const QString name = dragMode_ == compose::hzMove ? tr("Move text") : tr("Resize text");
    undo_.push(new LookCommand(*this, *before, after, name, -1, false));
}

bool BoardModel::nudgeBox(int dx, int dy, bool repeated) {
    if (dragBefore_) return false;  // the mouse has the box
    compose::GoalBoard moved = board_;
    if (!composer_->nudge(dx, dy, moved)) return false;
    // A key held down moves the box in one step.
    editLook(compose::LookOf(moved), tr("Move text"), kNudgeMergeId, repeated);
    return true;
}

}  // namespace dorvane::app
