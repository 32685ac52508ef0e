// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preview_page.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QFutureWatcher>
#include <QPainter>
#include <QPushButton>
#include <QtConcurrent/QtConcurrentRun>

#include "app/board_model.h"
#include "app/key_hint.h"
#include "app/narrow_arrow_style.h"
#include "app/page_panels.h"
#include "app/tab_order.h"
#include "compose/board_look.h"
#include "compose/goal_board.h"
#include "compose/make_readable.h"
#include "imaging/bitmap_image.h"
#include "platform/error_report.h"

namespace dorvane::app {
namespace {

constexpr int kListTop = 308;
constexpr int kListHeight = 22;
constexpr int kLabelTop = 294;
constexpr int kReadabilityTop = 7;      // on the title line, right of "Preview"
constexpr int kReadabilityRight = 368;  // the preview's right edge

// The undo step's name for each list, in the order of the row.
const std::array<const char*, 6> kEditNames = {
    QT_TRANSLATE_NOOP("PreviewPage", "Font"),   QT_TRANSLATE_NOOP("PreviewPage", "Style"),
    QT_TRANSLATE_NOOP("PreviewPage", "Size"),   QT_TRANSLATE_NOOP("PreviewPage", "Alignment"),
    QT_TRANSLATE_NOOP("PreviewPage", "Colour"), QT_TRANSLATE_NOOP("PreviewPage", "Shading")};

QColor ToQColor(compose::Color c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QIcon Swatch(compose::Color c) {
    QPixmap pixmap(16, 12);
    pixmap.fill(ToQColor(c));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    return QIcon(pixmap);
}

void FillList(QComboBox* list, const compose::ChoiceList& model) {
    list->clear();
    for (const std::string& item : model.items) list->addItem(QString::fromStdString(item));
}

std::array<compose::ChoiceList*, 6> Lists(compose::StyleControls& s) {
    return {&s.font, &s.style, &s.size, &s.alignment, &s.colour, &s.shading};
}

}  // namespace

PreviewPage::PreviewPage(QWidget* parent, BoardModel& model) : QWidget(parent), model_(model) {
    setObjectName("page4");
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    topText_ = View(this, "htmlBody41", QRect(-1, -1, 387, 26));
    bottomText_ = View(this, "htmlBody42", QRect(-1, 334, 387, 78));
    waitLabel_ = new QLabel("Generating preview...", this);
    waitLabel_->setObjectName("lblGeneratingPreview");
    waitLabel_->move(122, 136);
    waitLabel_->setFont(Arial(8, true));
    waitLabel_->setStyleSheet("color: #800000; background: white;");
    waitLabel_->adjustSize();
    canvas_ = new PreviewCanvas(this);
    canvas_->setGeometry(15, 27, 353, 262);
    new KeyHint(canvas_, bottomText_);  // says what the keys do while the preview has the focus
    const struct {
        const char* name;
        const char* label;
        int left, labelLeft, width;
    } places[] = {{"cbFont", "Font", 3, 3, 115},      {"cbStyle", "Style", 119, 119, 71},
                  {"cbSize", "Size", 191, 191, 42},   {"cbAlign", "Align", 234, 235, 55},
                  {"cbColor", "Color", 290, 290, 38}, {"cbShading", "Shading", 329, 329, 52}};
    for (int i = 0; i < 6; ++i) {
        const auto& place = places[i];
        lists_[std::size_t(i)] =
            addStyleList(i, place.name, place.label, place.left, place.labelLeft, place.width);
    }
    auto [font, style, size, align, colour, shading] = lists_;
    // "bold/italic", "center" and "bright" fit only beside a narrower arrow.
    for (QComboBox* list : {style, align, shading}) UseNarrowArrow(list);
    UseElidedText(font);  // "Times New Ro…", not "Times New Roma"
    font->setMaxVisibleItems(10);
    size->setMaxVisibleItems(11);
    colour->setFont(this->font());  // the window's own font, not Arial
    colour->setIconSize(QSize(16, 12));
    colour->view()->setMinimumWidth(130);   // the names beside the swatches
    shading->view()->setMinimumWidth(110);  // "bright band 80%" and the like

    // Undo and redo as the desktop has them: Ctrl+Z; Ctrl+Shift+Z and Ctrl+Y. A
    // drag under way ends (and becomes a step) before the history moves.
    QUndoStack& stack = model_.undoStack();
    undoAction_ = new QAction(tr("Undo"), this);
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = new QAction(tr("Redo"), this);
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* action : {undoAction_, redoAction_}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    connect(undoAction_, &QAction::triggered, this, [this, &stack] {
        platform::RunCommand([&] {
            model_.endDrag();
            stack.undo();
        });
    });
    connect(redoAction_, &QAction::triggered, this, [this, &stack] {
        platform::RunCommand([&] {
            model_.endDrag();
            stack.redo();
        });
    });
    // The actions say what they would undo ("Undo Move text"), for menus and
    // screen readers.
    connect(&stack, &QUndoStack::undoTextChanged, this, [this](const QString& text) {
        undoAction_->setText(text.isEmpty() ? tr("Undo") : tr("Undo %1").arg(text));
    });
    connect(&stack, &QUndoStack::redoTextChanged, this, [this](const QString& text) {
        redoAction_->setText(text.isEmpty() ? tr("Redo") : tr("Redo %1").arg(text));
    });
    setShortcutsEnabled(false);
    addReadability();

    connect(canvas_, &PreviewCanvas::mousePressed, this, &PreviewPage::mouseDown);
    connect(canvas_, &PreviewCanvas::mouseMoved, this, &PreviewPage::mouseMove);
    connect(canvas_, &PreviewCanvas::mouseReleased, this, &PreviewPage::endDrag);
    connect(canvas_, &PreviewCanvas::dragLost, this, &PreviewPage::endDrag);
    connect(canvas_, &PreviewCanvas::nudged, this, &PreviewPage::nudge);
    connect(&model_, &BoardModel::lookChanged, this, [this] {
        showBoardStyle();
        refresh();
    });
    connect(&model_, &BoardModel::boardReplaced, this, &PreviewPage::showBoardStyle);
}

QComboBox* PreviewPage::addStyleList(int index, const char* name, const char* label, int left,
                                     int labelLeft, int width) {
    auto* caption = new QLabel(label, this);
    caption->setObjectName(QString("lbl") + (name + 2));
    caption->setFont(Arial(8, false));
    caption->adjustSize();
    caption->move(labelLeft, kLabelTop);
    auto* list = new QComboBox(this);
    list->setObjectName(name);
    list->setEditable(false);
    list->setGeometry(left, kListTop, width, kListHeight);
    list->setFont(Arial(8, false));
    QPalette p = list->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window})
        p.setColor(role, Qt::white);
    list->setPalette(p);
    // `activated` comes from the person only; showing a board's style sets the
    // selections without it.
    connect(list, &QComboBox::activated, this,
            [this, index] { platform::RunCommand([&] { chooseStyle(index); }); });
    return list;
}

std::array<QComboBox*, 6> PreviewPage::styleLists() const {
    return lists_;
}

void PreviewPage::fillStyleLists(const std::vector<std::string>& installedFamilies) {
    compose::FillFontList(styles_, installedFamilies);
    const auto models = Lists(styles_);
    for (std::size_t i = 0; i < lists_.size(); ++i)
        if (lists_[i] != lists_[4]) FillList(lists_[i], *models[i]);
    QComboBox* colour = lists_[4];
    colour->clear();
    for (const compose::NamedColor& c : compose::kColors)
        colour->addItem(Swatch(c.value),
                        QString::fromUtf8(c.name.data(), qsizetype(c.name.size())));
    for (std::size_t i = 0; i < lists_.size(); ++i) lists_[i]->setCurrentIndex(models[i]->selected);
}

void PreviewPage::showBoardStyle() {
    compose::ShowBoardStyle(styles_, model_.board());
    const auto models = Lists(styles_);
    for (std::size_t i = 0; i < lists_.size(); ++i) lists_[i]->setCurrentIndex(models[i]->selected);
}

void PreviewPage::readStylesIntoBoard() {
    const auto models = Lists(styles_);
    for (std::size_t i = 0; i < lists_.size(); ++i) models[i]->selected = lists_[i]->currentIndex();
    compose::GoalBoard board = model_.board();
    compose::ReadStyleControls(styles_, board);
    if (compose::LookOf(board) != compose::LookOf(model_.board()))
        model_.setLook(compose::LookOf(board));
}

void PreviewPage::chooseStyle(int list) {
    model_.endDrag();
    const auto models = Lists(styles_);
    for (std::size_t i = 0; i < lists_.size(); ++i) models[i]->selected = lists_[i]->currentIndex();
    compose::GoalBoard board = model_.board();
    compose::ReadStyleControls(styles_, board);
    const compose::BoardLook after = compose::LookOf(board);
    if (after == compose::LookOf(model_.board())) {
        // Chosen again: nothing changes, but the preview is drawn anew as before.
        model_.render();
        return refresh();
    }
    model_.editLook(after, tr(kEditNames[std::size_t(list)]));
}

void PreviewPage::showWaiting() {
    canvas_->hide();
}

void PreviewPage::showComposed() {
    model_.render();
    refresh();
    canvas_->show();
}

void PreviewPage::refresh() {
    showPreview(model_.composer().preview());
}

void PreviewPage::addReadability() {
    makeReadable_ = new QPushButton("Make readable", this);
    makeReadable_->setObjectName("btnMakeReadable");
    makeReadable_->setFont(Arial(8, false));
    makeReadable_->setFlat(true);
    makeReadable_->setCursor(Qt::PointingHandCursor);
    makeReadable_->setFocusPolicy(Qt::StrongFocus);
    // Tab reaches it after the page's own controls: the preview keeps the focus
    // that page 4 opens with.
    makeReadable_->setProperty(kVisitLast, true);
    makeReadable_->setStyleSheet(
        "QPushButton { color: #0000CC; text-decoration: underline; border: none; padding: 0; "
        "background: white; }");
    makeReadable_->setToolTip(
        "Change only the text colour and shading, as little as needed, so that the goals "
        "are easy to read on this picture");
    makeReadable_->adjustSize();
    makeReadable_->move(kReadabilityRight - makeReadable_->width(), kReadabilityTop);
    connect(makeReadable_, &QPushButton::clicked, this,
            [this] { platform::RunCommand([this] { makeReadable(); }); });
    readability_ = new QLabel(this);
    readability_->setObjectName("lblReadability");
    readability_->setFont(Arial(8, true));
    readability_->setAutoFillBackground(true);
    readability_->setAccessibleDescription(
        "Contrast of the goal text with what surrounds it; 4.5 to 1 or more is easy to read");
    showReadability({});
    connect(&fix_, &QFutureWatcher<compose::ReadableFix>::finished, this, [this] {
        unsetCursor();
        platform::RunCommand([this] { applyFix(); });
    });
}

void PreviewPage::showReadability(const compose::Readability& measure) {
    QString text, spoken;
    if (!measure.visible()) {
        text = "No text to read";
        spoken = "No goal text can be seen";
    } else {
        const QString ratio = QString::fromStdString(compose::FormatRatio(measure.ratio));
        const QString verdict = measure.readable() ? "Easy to read" : "Hard to read";
        text = verdict + " (" + ratio + ")";
        spoken = verdict + ", contrast " + ratio.chopped(2) + " to 1";
    }
    if (text == readability_->text()) return;
    readability_->setText(text);
    readability_->setStyleSheet(measure.readable() ? "color: #006400; background: white;"
                                                   : "color: #A00000; background: white;");
    readability_->setAccessibleName(spoken);
    readability_->adjustSize();
    readability_->move(makeReadable_->x() - 6 - readability_->width(), kReadabilityTop);
    QAccessibleEvent changed(readability_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

// The search measures many looks, so it runs on a worker with copies of the
// board and the picture. Its answer lands only if the board still looks as it did
// and shows the same picture; it is then one undo step, "Make readable".
void PreviewPage::makeReadable() {
    if (fix_.isRunning()) return;
    model_.endDrag();
    setCursor(Qt::BusyCursor);
    fixFor_ = model_.board();
    fixPicture_ = model_.gallery().LoadedPicture;
    fix_.setFuture(QtConcurrent::run(
        [board = fixFor_, screen = model_.composer().screenPicture(), dpi = model_.screen().dpi] {
            return compose::MakeReadable(board, screen, dpi);
        }));
}

void PreviewPage::applyFix() {
    const compose::ReadableFix fix = fix_.result();
    makeReadable_->setToolTip(QString::fromStdString(compose::DescribeFix(fix, fixFor_)));
    const compose::GoalBoard& now = model_.board();
    if (compose::LookOf(now) != compose::LookOf(fixFor_) || now.Goal != fixFor_.Goal ||
        model_.gallery().LoadedPicture != fixPicture_)
        return;  // changed meanwhile: the answer is for another board
    compose::GoalBoard fixed = now;
    fixed.FontColor = fix.FontColor;
    fixed.FontShading = fix.FontShading;
    model_.editLook(compose::LookOf(fixed), tr("Make readable"));
}

void PreviewPage::showPreview(const imaging::Bitmap& composed) {
    QImage image = imaging::ToQImage(composed);
    image.setDevicePixelRatio(model_.composer().ratio());  // drawn at the preview's own size
    canvas_->setImage(image);
    const compose::BoardComposer& composer = model_.composer();
    showReadability(compose::MeasureBoardReadability(composer.screenPicture(), composer.textLayer(),
                                                     model_.board().FontColor));
}

void PreviewPage::mouseDown(compose::MouseButton button, QPoint at) {
    platform::RunCommand([&] { model_.pressBox(button, at); });
}

void PreviewPage::mouseMove(QPoint at, bool buttonHeld) {
    platform::RunCommand([&] {
        // A drag whose release went elsewhere (another window took the mouse) ends here.
        if (!buttonHeld) model_.endDrag();
        const compose::BoardComposer::MouseResult r = model_.dragBox(at);
        canvas_->setCursorShape(r.cursor);
        if (r.preview) showPreview(*r.preview);
    });
}

void PreviewPage::endDrag() {
    platform::RunCommand([this] { model_.endDrag(); });
}

void PreviewPage::nudge(int dx, int dy, bool repeated) {
    platform::RunCommand([&] { model_.nudgeBox(dx, dy, repeated); });
}

void PreviewPage::setShortcutsEnabled(bool on) {
    undoAction_->setEnabled(on);
    redoAction_->setEnabled(on);
}

}  // namespace dorvane::app
