// SPDX-License-Identifier: GPL-3.0-or-later
// The view widget: loading, images, form controls, layout at the viewport's width,
// scrolling and painting. Mouse and keyboard handling is in html_view_input.cpp.
#include "htmlview/html_view.h"

#include <QBuffer>
#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

#include "htmlview/html_view_accessible.h"
#include "htmlview/layout.h"
#include "htmlview/painter.h"
#include "htmlview/parser.h"
#include "htmlview/view_press.h"

namespace dorvane::htmlview {
namespace {

constexpr qint64 kMaxDocumentBytes = 16 * 1024 * 1024;
constexpr qint64 kMaxImagePixels = 4096 * 4096;

QImage DecodeImage(const QByteArray& bytes) {
    if (bytes.isEmpty()) return {};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > kMaxImagePixels) return {};
    return reader.read();
}

}  // namespace

HtmlView::HtmlView(QWidget* parent)
    : QAbstractScrollArea(parent), fonts_(std::make_shared<FontCache>()) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::ClickFocus);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::ArrowCursor);
    loadDocument(std::make_shared<Document>());
}

HtmlView::~HtmlView() = default;

void HtmlView::loadFromString(const QByteArray& bytes) {
    const QByteArray page =
        bytes.size() > kMaxDocumentBytes ? bytes.left(kMaxDocumentBytes) : bytes;
    loadDocument(std::make_shared<Document>(ParseHtmlBytes(page, settings_.charSet)));
}

void HtmlView::loadFromStream(QIODevice& stream) {
    loadFromString(stream.read(kMaxDocumentBytes));
}

void HtmlView::loadDocument(std::shared_ptr<Document> doc) {
    discardControls();
    ++generation_;
    press_.reset();
    selAnchor_ = selEnd_ = -1;
    doc_ = std::move(doc);
    const std::vector<QString> sources = NumberObjects(*doc_, &backgroundImage_, &controlNodes_);
    images_.clear();
    for (std::size_t i = 0; i < sources.size(); ++i)
        images_.push_back({sources[i], QImage(), QRect(), int(i) == backgroundImage_, {}, {}});
    for (const Node& n : doc_->nodes)
        if (n.tag == Tag::Img && n.object >= 0 && std::size_t(n.object) < images_.size())
            images_[std::size_t(n.object)].alt = n.attr("alt");
    focusedLink_ = -1;
    const int generation = generation_;
    const std::exception_ptr failure = requestImages();
    // An image handler that loaded another document has finished that load, its
    // controls included; going on would make them again for the newer document.
    if (generation == generation_) {
        createControls();
        relayout(true);
        verticalScrollBar()->setValue(0);
        placeControls();
        viewport()->update();
        NotifyDocumentName(*this);
    }
    if (failure) std::rethrow_exception(failure);
}

QString HtmlView::title() const {
    constexpr qsizetype kMaxTitle = 200;  // a name to announce, not a page
    for (const Node& n : doc_->nodes) {
        if (n.tag != Tag::Title) continue;
        QString words;
        for (int c = n.firstChild; c >= 0 && words.size() < kMaxTitle; c = (*doc_)[c].next)
            if ((*doc_)[c].isText()) words += (*doc_)[c].text.left(kMaxTitle);
        return words.simplified().left(kMaxTitle);
    }
    return {};
}

std::exception_ptr HtmlView::requestImages() {
    if (!settings_.viewImages || !OnImageRequest) return nullptr;
    std::exception_ptr failure;
    QHash<QString, QImage> decoded;
    const int generation = generation_;
    // By index and with a copy of the name: the handler may load another document,
    // which replaces images_.
    for (std::size_t i = 0; i < images_.size(); ++i) {
        const QString source = images_[i].source;
        if (source.isEmpty()) continue;
        if (auto it = decoded.constFind(source); it != decoded.cend()) {
            images_[i].bitmap = *it;
            continue;
        }
        QImage picture;
        try {
            picture = requestPicture(source, generation);
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
        if (generation != generation_) break;  // the handler loaded another document
        decoded.insert(source, picture);
        images_[i].bitmap = picture;
    }
    return failure;
}

QImage HtmlView::requestPicture(const QString& source, int generation) {
    // As with Qt's own pictures, a screen whose device pixel ratio is above 1 asks
    // for the twin "NAME@2x" first; it lays out at half its pixel size. A twin that
    // is missing or fails to load is simply not used.
    if (devicePixelRatioF() > 1) {
        QImage twin;
        try {
            twin = DecodeImage(OnImageRequest(*this, source + QLatin1String("@2x")));
        } catch (...) {
        }
        if (generation != generation_) return {};  // the handler loaded another document
        if (!twin.isNull()) {
            twin.setDevicePixelRatio(2);
            return twin;
        }
    }
    return DecodeImage(OnImageRequest(*this, source));
}

void HtmlView::discardControls() {
    // The controls may be running one of their own events right now: hide them and
    // let the event loop delete them.
    for (FormControl& c : controls_)
        if (c.widget) {
            c.widget->hide();
            c.widget->deleteLater();
        }
    controls_.clear();
    controlFontSet_.clear();
}

void HtmlView::createControls() {
    for (int node : controlNodes_) {
        const Node& n = (*doc_)[node];
        FormControl c;
        c.name = n.attr("name");
        const bool check = n.attr("type").trimmed().toLower() == QLatin1String("checkbox");
        c.type = check ? QStringLiteral("checkbox") : QStringLiteral("text");
        if (check) {
            auto* box = new QCheckBox(viewport());
            box->setChecked(n.hasAttr("checked"));
            c.widget = box;
        } else {
            auto* edit = new QLineEdit(viewport());
            bool ok = false;
            const int max = n.attr("maxlength").trimmed().toInt(&ok);
            if (ok && max > 0) edit->setMaxLength(std::min(max, 32767));
            edit->setText(n.attr("value"));
            c.widget = edit;
        }
        c.widget->setObjectName(c.name);
        c.widget->show();
        controls_.push_back(std::move(c));
    }
    controlFontSet_.assign(controls_.size(), false);
}

QSizeF HtmlView::controlSize(int control, const QFont& font) {
    const auto i = static_cast<std::size_t>(control);
    if (i >= controls_.size() || !controls_[i].widget) return {0, 0};
    QWidget* w = controls_[i].widget;
    if (!controlFontSet_[i]) {
        w->setFont(font);
        controlFontSet_[i] = true;
    }
    if (qobject_cast<QCheckBox*>(w)) return w->sizeHint();
    // An edit is `size` average characters of its font wide, as browsers make it.
    const QFontMetricsF fm(w->font());
    bool ok = false;
    int chars = (*doc_)[controlNodes_[i]].attr("size").trimmed().toInt(&ok);
    if (!ok || chars <= 0) chars = 20;
    chars = std::min(chars, 1000);
    return QSizeF(std::ceil(chars * fm.averageCharWidth()) + 6, std::ceil(fm.height()) + 6);
}

void HtmlView::relayout(bool force) {
    const int width = viewport()->width();
    if (!force && width == layoutWidth_ && layout_) return;
    layoutWidth_ = width;
    LayoutOptions o;
    o.defFontName = settings_.defFontName;
    o.defPreFontName = settings_.defPreFontName;
    o.defFontSize = settings_.defFontSize;
    o.marginWidth = settings_.marginWidth;
    o.marginHeight = settings_.marginHeight;
    o.imageSize = [this](int i) {
        const QImage& b = images_[static_cast<std::size_t>(i)].bitmap;
        return b.isNull() ? QSize() : b.deviceIndependentSize().toSize();
    };
    o.controlSize = [this](int c, const QFont& f) { return controlSize(c, f); };
    layout_ = std::make_shared<LayoutResult>(LayoutDocument(*doc_, width, o, fonts_));
    for (const Fragment& f : layout_->fragments)
        if (f.kind == Fragment::Kind::Image) {
            ImageObject& img = images_[static_cast<std::size_t>(f.index)];
            img.rect = f.rect.toRect();
            img.link = f.link >= 0 ? layout_->links[static_cast<std::size_t>(f.link)] : QString();
        }
    findLinks();
    updateScrollRange();
    placeControls();
    viewport()->update();
    emit documentChanged();
}

void HtmlView::updateScrollRange() {
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, documentHeight() - viewport()->height()));
    bar->setPageStep(std::max(1, viewport()->height()));
    bar->setSingleStep(20);
}

void HtmlView::placeControls() {
    if (!layout_) return;
    const int dy = scrollY();
    for (const Fragment& f : layout_->fragments) {
        if (f.kind != Fragment::Kind::Control) continue;
        const auto i = static_cast<std::size_t>(f.index);
        if (i < controls_.size() && controls_[i].widget)
            controls_[i].widget->setGeometry(f.rect.toRect().translated(0, -dy));
    }
}

int HtmlView::documentHeight() const {
    return layout_ ? int(std::ceil(layout_->height)) : 0;
}
int HtmlView::scrollY() const {
    return verticalScrollBar()->value();
}
void HtmlView::setScrollY(int y) {
    verticalScrollBar()->setValue(y);
}

bool HtmlView::positionTo(const QString& anchor) {
    relayout();
    const QString name = anchor.startsWith(u'#') ? anchor.mid(1) : anchor;
    auto it = layout_->anchors.constFind(name);
    if (it == layout_->anchors.cend()) {
        for (it = layout_->anchors.cbegin(); it != layout_->anchors.cend(); ++it)
            if (it.key().compare(name, Qt::CaseInsensitive) == 0) break;
        if (it == layout_->anchors.cend()) return false;
    }
    setScrollY(int(std::floor(*it)));
    return true;
}

const ImageObject& HtmlView::image(int index) const {
    return images_.at(static_cast<std::size_t>(index));
}

int HtmlView::imageIndex(const QString& source) const {
    for (std::size_t i = 0; i < images_.size(); ++i)
        if (images_[i].source.compare(source, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

void HtmlView::setImageBitmap(int index, const QImage& bitmap) {
    images_.at(static_cast<std::size_t>(index)).bitmap = bitmap;
    viewport()->update();
}

void HtmlView::repaint() {
    viewport()->repaint();
}

void HtmlView::setSettings(const ViewSettings& s) {
    settings_ = s;
    setVerticalScrollBarPolicy(s.scrollBars == ScrollBars::Vertical ? Qt::ScrollBarAsNeeded
                                                                    : Qt::ScrollBarAlwaysOff);
    if (s.noSelect) selAnchor_ = selEnd_ = -1;
    relayout(true);
}

// Each setter changes one field and applies the settings as a whole.
template <typename T>
void HtmlView::changeSetting(T ViewSettings::*field, std::type_identity_t<T> value) {
    ViewSettings s = settings_;
    s.*field = std::move(value);
    setSettings(s);
}

void HtmlView::setMarginWidth(int px) {
    changeSetting(&ViewSettings::marginWidth, px);
}
void HtmlView::setMarginHeight(int px) {
    changeSetting(&ViewSettings::marginHeight, px);
}
void HtmlView::setDefFontName(const QString& n) {
    changeSetting(&ViewSettings::defFontName, n);
}
void HtmlView::setDefFontSize(int pt) {
    changeSetting(&ViewSettings::defFontSize, pt);
}
void HtmlView::setDefPreFontName(const QString& n) {
    changeSetting(&ViewSettings::defPreFontName, n);
}
void HtmlView::setDefBackground(const QColor& c) {
    changeSetting(&ViewSettings::defBackground, c);
}
void HtmlView::setScrollBars(ScrollBars b) {
    changeSetting(&ViewSettings::scrollBars, b);
}
void HtmlView::setNoSelect(bool on) {
    changeSetting(&ViewSettings::noSelect, on);
}
void HtmlView::setViewImages(bool on) {
    changeSetting(&ViewSettings::viewImages, on);
}
void HtmlView::setCharSet(int c) {
    changeSetting(&ViewSettings::charSet, c);
}

void HtmlView::renderDocument(QPainter& painter, const QRect& docRect) const {
    paintDocument(painter, docRect);
    if (!layout_) return;
    for (const Fragment& f : layout_->fragments) {
        const auto i = static_cast<std::size_t>(f.index);
        if (f.kind != Fragment::Kind::Control || i >= controls_.size() || !controls_[i].widget)
            continue;
        if (!f.rect.toRect().intersects(docRect)) continue;
        painter.save();
        painter.translate(f.rect.topLeft() - QPointF(docRect.topLeft()));
        controls_[i].widget->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
        painter.restore();
    }
}

void HtmlView::paintDocument(QPainter& painter, const QRect& docRect) const {
    if (!layout_) return;
    PaintOptions o;
    o.background =
        layout_->hasBackground ? QColor::fromRgb(layout_->background) : settings_.defBackground;
    if (backgroundImage_ >= 0)
        o.backgroundImage = &images_[static_cast<std::size_t>(backgroundImage_)].bitmap;
    o.image = [this](int i) { return &images_[static_cast<std::size_t>(i)].bitmap; };
    o.selectionFrom = std::min(selAnchor_, selEnd_);
    o.selectionTo = std::max(selAnchor_, selEnd_);
    painter.save();
    painter.translate(-docRect.topLeft());
    PaintLayout(painter, *layout_, o, docRect);
    painter.restore();
}

void HtmlView::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    const QRect docRect = event->rect().translated(0, scrollY());
    p.translate(event->rect().topLeft());
    paintDocument(p, docRect);
}

void HtmlView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    relayout();
    updateScrollRange();
}

void HtmlView::scrollContentsBy(int, int) {
    placeControls();
    viewport()->update();
    if (focusedLink_ >= 0) emit focusedLinkChanged();
}

}  // namespace dorvane::htmlview
