// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/gallery_page.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>

#include "gallery/builtin_pictures.h"
#include "gallery/grid_geometry.h"
#include "imaging/bitmap_image.h"
#include "platform/error_report.h"

namespace dorvane::gallery {
namespace {

constexpr int kGridWidth = 372;

// The grid's scroll bar in the skin's colours: a teal thumb on the sand of the
// side column, as visible as the window's buttons (the platform's own thumb can
// be white on light grey). No arrow buttons; the thumb, the track, the wheel and
// the keys scroll.
constexpr const char* kScrollBarStyle = R"(
QScrollBar:vertical { background: rgb(246, 243, 232); width: 17px; margin: 0;
                      border-left: 1px solid rgb(223, 216, 173); }
QScrollBar::handle:vertical { background: rgb(38, 110, 128); min-height: 24px;
                              margin: 2px 3px 2px 3px; border-radius: 5px; }
QScrollBar::handle:vertical:hover { background: rgb(24, 80, 95); }
QScrollBar::handle:vertical:pressed { background: rgb(16, 60, 72); }
QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; border: none; }
QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }
)";

void MakeWhite(QWidget* w) {
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, Qt::white);
    w->setPalette(p);
}

}  // namespace

ThumbnailControl::ThumbnailControl(QWidget* parent, int number, const QImage& picture)
    : QWidget(parent), number_(number), picture_(picture) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kThumbWidth, kThumbHeight);
}

void ThumbnailControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void ThumbnailControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onClick)
        platform::RunCommand([this] { onClick(this); });
}

void ThumbnailControl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onDoubleClick)
        platform::RunCommand([this] { onDoubleClick(this); });
}

ShapeControl::ShapeControl(QWidget* parent, const char* name, QColor pen, int penWidth)
    : QWidget(parent), pen_(pen), penWidth_(penWidth) {
    setObjectName(name);
}

void ShapeControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    for (int i = 0; i < penWidth_; ++i) {  // the pen lies inside the shape's bounds
        painter.setPen(pen_);
        painter.drawRect(rect().adjusted(i, i, -1 - i, -1 - i));
    }
}

GalleryPage::GalleryPage(QWidget* parent, GalleryState& state) : QWidget(parent), state_(state) {
    setObjectName("page2");
    MakeWhite(this);
    topText_ = new htmlview::HtmlView(this);
    topText_->setObjectName("htmlBody21");
    topText_->setGeometry(-1, -1, 387, 80);
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setObjectName("imgs");
    scrollArea_->setGeometry(6, topText_->geometry().bottom() + 1 + 5, kGridWidth, 261);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scrollArea_->verticalScrollBar()->setTracking(true);
    scrollArea_->verticalScrollBar()->setStyleSheet(kScrollBarStyle);
    // A picture's name shown under the mouse would stay over another picture
    // once the grid has moved (by the keys, say).
    connect(scrollArea_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [] { QToolTip::hideText(); });
    scrollArea_->setFocusPolicy(
        Qt::TabFocus);  // the keyboard reaches it; a click does not focus it
    scrollArea_->installEventFilter(this);
    content_ = new QWidget;
    MakeWhite(content_);
    scrollArea_->setWidget(content_);
    MakeWhite(scrollArea_->viewport());
    gridBorder_ = new ShapeControl(this, "shapeImgsBorder", QColor(223, 216, 173), 1);
    gridBorder_->setGeometry(scrollArea_->geometry().adjusted(-1, -1, 1, 1));
    gridBorder_->lower();
    bottomText_ = new htmlview::HtmlView(this);
    bottomText_->setObjectName("htmlBody22");
    const int top22 = scrollArea_->geometry().bottom() + 1 + 5;
    bottomText_->setGeometry(0, top22, 385, 412 - top22);
    selectionFrame_ = new ShapeControl(content_, "shapeImgBrdr", QColor(0, 0, 128), kFramePen);
    selectionFrame_->hide();
    bottomSpacer_ = new QLabel(content_);
    bottomSpacer_->setObjectName("lblImgsBottom");
    clear();
}

void GalleryPage::clear() {
    // Thumbnails may be cleared from inside one of their own events: delete later.
    for (ThumbnailControl* t : thumbnails_) {
        t->hide();
        t->deleteLater();
    }
    thumbnails_.clear();
    state_.PictureCount = 0;
}

void GalleryPage::addThumbnail(const PictureInfo& entry, const imaging::Bitmap& thumbnail) {
    auto* t = new ThumbnailControl(content_, entry.Number, imaging::ToQImage(thumbnail));
    const GridPoint at = ThumbnailPosition(entry.Number, kGridWidth);
    t->move(at.x, at.y);
    // Also the thumbnail's name for a screen reader. A built-in photograph's display
    // name is only a name ("Flamingos" is a nuthatch): say what it shows.
    t->setToolTip(entry.BuiltIn ? QString::fromUtf8(BuiltInPictureDescription(entry.Number))
                                : QString::fromStdString(entry.Name));
    t->onClick = [this](ThumbnailControl* c) { selectThumbnail(c); };
    t->onDoubleClick = [this](ThumbnailControl* c) {
        selectThumbnail(c);
        if (onDoubleClick) onDoubleClick(c);
    };
    t->show();
    thumbnails_.push_back(t);
    state_.PictureCount = entry.Number;
}

void GalleryPage::select(std::int32_t number) {
    selectThumbnail(findThumbnail(number));
}

void GalleryPage::finish(std::int32_t count) {
    bottomSpacer_->setText("");
    bottomSpacer_->setGeometry(0, SpacerTop(count), 1, kSpacerHeight);
    // The rows leave room for the scroll bar; the content is the view's width.
    const int barWidth = scrollArea_->verticalScrollBar()->sizeHint().width();
    content_->resize(kGridWidth - barWidth, ContentHeight(count));
}

void GalleryPage::reportLoadError(const std::string& message) {
    if (inform) inform(message);
}

ThumbnailControl* GalleryPage::findThumbnail(int n) const {
    if (thumbnails_.empty()) return nullptr;
    const int clamped = ClampPictureNumber(n, state_.PictureCount);
    for (ThumbnailControl* t : thumbnails_)
        if (t->number() == clamped) return t;
    return nullptr;
}

void GalleryPage::selectThumbnail(ThumbnailControl* t) {
    if (!t) return;
    const GridRect f = SelectionFrame({t->x(), t->y()});
    selectionFrame_->setGeometry(f.x, f.y, f.width, f.height);
    selectionFrame_->show();
    selectionFrame_->lower();
    state_.SelectedPicture = t->number();
    const auto index = static_cast<std::size_t>(state_.SelectedPicture - 1);
    if (index < state_.Pictures.size() && onPictureChosen)
        onPictureChosen(state_.Pictures[index].Name);
    if (scrollArea_->hasFocus() && QAccessible::isActive()) {
        QAccessibleEvent focus(t, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

bool GalleryPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched != scrollArea_ || event->type() != QEvent::KeyPress) return false;
    switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (ThumbnailControl* t = findThumbnail(state_.SelectedPicture); t && onDoubleClick)
                platform::RunCommand([this, t] { onDoubleClick(t); });
            return true;
        default:
            return false;
    }
}

void GalleryPage::scrollToPicture(int n) {
    if (!findThumbnail(n)) return;
    const int view = scrollArea_->viewport()->height();
    scrollArea_->verticalScrollBar()->setValue(ScrollPositionFor(n, state_.PictureCount, view));
    scrollArea_->viewport()->update();
}

void GalleryPage::keyDown(int qtKey) {
    if (const int step = ArrowStep(qtKey))
        selectThumbnail(findThumbnail(state_.SelectedPicture + step));
    scrollToPicture(state_.SelectedPicture);
}

}  // namespace dorvane::gallery
