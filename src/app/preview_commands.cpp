// SPDX-License-Identifier: GPL-3.0-or-later
// Page 4 in the main window: the style lists, the preview's mouse and keys, undo,
// and the "preview" and "setbackground" commands. The composition itself lives
// in compose::BoardComposer; these methods connect it to the board and the page.
#include "app/main_window.h"
#include "compose/set_wallpaper.h"
#include "gallery/preview_window.h"
#include "imaging/bitmap_image.h"

namespace dorvane::app {

void TformMain::WirePreviewPage() {
    page4->onStyleChosen = [this] { cbFontChange(); };
    // A drag under way ends (and becomes a step) before the history moves.
    page4->onUndo = [this] {
        imgPreviewEndDrag();
        ApplyUndoStep(undo_.undo());
    };
    page4->onRedo = [this] {
        imgPreviewEndDrag();
        ApplyUndoStep(undo_.redo());
    };
    PreviewCanvas& canvas = *page4->imgPreview;
    canvas.onMouseDown = [this](compose::MouseButton b, QPoint at) { imgMouseMouseDown(b, at); };
    canvas.onMouseMove = [this](QPoint at, bool held) { imgMouseMouseMove(at, held); };
    canvas.onMouseUp = [this](compose::MouseButton, QPoint) { imgMouseMouseUp(); };
    canvas.onEndDrag = [this] { imgPreviewEndDrag(); };
    canvas.onNudge = [this](int dx, int dy, bool repeated) { NudgeTextBox(dx, dy, repeated); };
    actions.preview = [this] { ShowFullPreview(); };
    actions.setBackground = [this] { SetWallpaper(); };
}

void TformMain::ReadStyleControls() {
    page4->readStyles(styles);
    compose::ReadStyleControls(styles, CurrentBoard);
}

void TformMain::ShowBoardStyle() {
    compose::ShowBoardStyle(styles, CurrentBoard);
    page4->showStyles(styles);
}

void TformMain::cbFontChange() {
    const compose::BoardLook before = compose::LookOf(CurrentBoard);
    ReadStyleControls();
    undo_.record(before, compose::LookOf(CurrentBoard));
    composer_->render(CurrentBoard);
    RefreshPreview();
}

void TformMain::RefreshPreview() {
    ShowPreview(composer_->preview());
}

void TformMain::ShowPreview(const Bitmap& composed) {
    QImage image = gallery::ToQImage(composed);
    image.setDevicePixelRatio(composer_->ratio());  // drawn at the preview's own size
    page4->imgPreview->setImage(image);
}

void TformMain::imgMouseMouseDown(compose::MouseButton button, QPoint at) {
    imgPreviewEndDrag();  // a press while a drag is under way ends that drag first
    composer_->mouseDown(button, at.x(), at.y(), CurrentBoard);
    if (composer_->drag().DragMode != compose::hzNone) dragBefore_ = compose::LookOf(CurrentBoard);
}

void TformMain::imgMouseMouseMove(QPoint at, bool buttonHeld) {
    // A drag whose release went elsewhere (another window took the mouse) ends here.
    if (!buttonHeld) imgPreviewEndDrag();
    const compose::BoardComposer::MouseResult r =
        composer_->mouseMove(at.x(), at.y(), CurrentBoard);
    page4->imgPreview->setCursorShape(r.cursor);
    if (r.preview) ShowPreview(*r.preview);
}

void TformMain::imgMouseMouseUp() {
    imgPreviewEndDrag();
}

void TformMain::imgPreviewEndDrag() {
    composer_->endDrag();
    if (!dragBefore_) return;
    undo_.record(*dragBefore_, compose::LookOf(CurrentBoard));  // the whole drag is one step
    dragBefore_.reset();
}

void TformMain::NudgeTextBox(int dx, int dy, bool repeated) {
    if (dragBefore_) return;  // the mouse has the box
    const compose::BoardLook before = compose::LookOf(CurrentBoard);
    if (!composer_->nudge(dx, dy, CurrentBoard)) return;
    undo_.record(before, compose::LookOf(CurrentBoard), repeated);
    RefreshPreview();
}

void TformMain::ApplyUndoStep(const std::optional<compose::BoardLook>& look) {
    if (!look) return;
    compose::ApplyLook(*look, CurrentBoard);
    ShowBoardStyle();
    composer_->render(CurrentBoard);
    RefreshPreview();
}

void TformMain::ShowFullPreview() {
    if (!formPreview_) return;
    const platform::ScreenInfo screen = services_.screen->info();
    formPreview_->setScreenBounds(screen.width, screen.height);
    formPreview_->setPicture(gallery::ToQImage(composer_->composeScreen()));
    formPreview_->showModal();
}

void TformMain::SetWallpaper() {
    compose::WallpaperDialogs dialogs;
    dialogs.ask = [this](const std::string& title, const std::string& text) {
        return services_.dialogs->ask(title, text, platform::BoxIcon::None);
    };
    dialogs.inform = [this](const std::string& text) { services_.dialogs->inform(text); };
    dialogs.processEvents = [this] { services_.pacing.pump(); };
    const std::vector<platform::Monitor> monitors =
        services_.listMonitors ? services_.listMonitors() : std::vector<platform::Monitor>();
    if (monitors.size() > 1 && services_.setMonitorWallpapers) {
        // Each monitor its own composition; the board is styled on this screen.
        const platform::ScreenInfo screen = services_.screen->info();
        compose::MonitorWallpaperJob job;
        job.board = CurrentBoard;
        job.photo = &FullPicture;
        job.monitors = monitors;
        job.styledFallback = {composer_->screenWidth(), composer_->screenHeight()};
        job.board.ScreenWidth = composer_->screenWidth();
        job.board.ScreenHeight = composer_->screenHeight();
        job.dpi = screen.dpi;
        job.folder = services_.dataFolder;
        compose::SetWallpaperOnMonitors(job, services_.setMonitorWallpapers, dialogs);
        return;
    }
    compose::SetWallpaper(composer_->screenPicture(), composer_->textLayer(), services_.dataFolder,
                          services_.setDesktopWallpaper, dialogs);
}

}  // namespace dorvane::app
