// SPDX-License-Identifier: GPL-3.0-or-later
// HtmlView: the control that shows the program's small XHTML pages.
//
// Usage (all on the user-interface thread):
//
//   auto* view = new dorvane::htmlview::HtmlView(parent);
//   ViewSettings s = view->settings();          // page views: margins 4/2, "Arial" 10,
//   s.marginWidth = 4; s.scrollBars = ScrollBars::Vertical;   // white, no scroll bars
//   view->setSettings(s);                       // or setMarginWidth(17), setScrollBars(...)
//   view->OnImageRequest = [](HtmlView&, const QString& name) -> QByteArray { ... };
//   view->OnHotSpotClick = [](HtmlView&, const QString& target, bool& handled) { ... };
//   view->OnImageClick = [](HtmlView&, int image, Qt::MouseButton, Qt::KeyboardModifiers,
//                           QPoint) { ... };
//   view->OnMouseDown = [](HtmlView&, Qt::MouseButton, Qt::KeyboardModifiers, QPoint) { ... };
//   view->loadFromString(bytes);                // or loadFromStream(QIODevice&)
//   view->positionTo("#top");
//   for (const FormControl& c : view->formControls())
//       if (QLineEdit* e = c.edit()) e->setText(...);   // c.name is the input's name
//   if (auto o = view->objectAt(pos); o && o->kind == ViewObject::Kind::Image) ...
//   QImage up = view->imageBitmap(i); view->setImageBitmap(i, down); view->repaint();
//
// Events:
// - OnImageRequest(view, name) -> bytes: asked once per distinct image name while a
//   document loads (never when viewImages is false). The bytes are decoded (GIF, BMP,
//   PNG, ...); empty or undecodable bytes give no picture. The view never reads files
//   or the network. At a device pixel ratio above 1 it first asks for name + "@2x",
//   a twin at twice the resolution that lays out at half its pixel size; when that
//   gives no picture (or throws) it asks for the name itself. If the handler throws,
//   the load still completes (that image stays blank) and the first exception is
//   rethrown from load*() afterwards.
// - OnMouseDown(view, button, modifiers, pos): every press in the view (pos in client
//   coordinates of the view's viewport).
// - OnImageClick(view, image index, button, modifiers, pos): a press and release on the
//   same image. For an image inside a link it comes before OnHotSpotClick.
// - OnHotSpotClick(view, href as written, handled): a press and release on the same link.
//   The view never navigates; "handled" is false on entry and only informative.
// Handlers may load another document, even from inside an event of one of the view's
// own form controls: the old controls are hidden and deleted later, never at once.
//
// Image objects: every <img> of the document and the body background, in document
// order (the background, when present, is index 0). Their rect is in document
// coordinates; replacing a bitmap keeps the laid-out size and repaints.
#pragma once

#include <QAbstractScrollArea>
#include <QByteArray>
#include <QCheckBox>
#include <QColor>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QRect>
#include <QString>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

class QIODevice;

namespace dorvane::htmlview {

struct Document;
struct LayoutResult;
class FontCache;

enum class ScrollBars { None, Vertical };

struct ViewSettings {
    int marginWidth = 4;   // pixels left and right of the text
    int marginHeight = 2;  // pixels above and below the text
    QString defFontName = QStringLiteral("Arial");
    int defFontSize = 10;  // points (at 96 pixels per inch)
    QString defPreFontName = QStringLiteral("Courier New");
    QColor defBackground = QColor(255, 255, 255);
    ScrollBars scrollBars = ScrollBars::None;
    int charSet = 238;  // for documents that declare none: 238 East European, 0 Western
    bool viewImages = true;
    bool noSelect = false;  // false: text can be selected with the mouse and copied
};

struct ImageObject {
    QString source;  // the src (or body background) as written
    QImage bitmap;   // the current picture; null when none could be decoded
    QRect rect;      // place in document coordinates (empty for the background)
    bool background = false;
    QString link;  // href of the enclosing link, empty when none
    QString alt;   // the alt text as written
};

struct FormControl {
    QString name;  // the input's name attribute
    QString type;  // "text" or "checkbox"
    QPointer<QWidget> widget;
    QLineEdit* edit() const { return qobject_cast<QLineEdit*>(widget.data()); }
    QCheckBox* checkBox() const { return qobject_cast<QCheckBox*>(widget.data()); }
};

// A place the Tab key stops at, in document order: a link (its index among the
// document's links) or a form control.
struct KeyboardStop {
    int link = -1;
    QWidget* control = nullptr;
};

struct ViewObject {
    enum class Kind { Image, Text, Control };
    Kind kind = Kind::Text;
    int index = -1;  // image index for Image, control index for Control
    QString link;    // href when the object lies inside a link
};

class HtmlView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit HtmlView(QWidget* parent = nullptr);
    ~HtmlView() override;

    // Loading replaces the document, its scroll position, images and form controls.
    void loadFromString(const QByteArray& bytes);
    void loadFromStream(QIODevice& stream);

    // Scrolls so that the anchor (name or id, with or without '#') is at the top.
    // Returns false (and does nothing) when the document has no such anchor.
    bool positionTo(const QString& anchor);

    const std::vector<FormControl>& formControls() const { return controls_; }

    // The object under a point in viewport client coordinates, if any.
    std::optional<ViewObject> objectAt(QPoint pos) const;

    int imageCount() const { return static_cast<int>(images_.size()); }
    const ImageObject& image(int index) const;
    int imageIndex(const QString& source) const;  // first with that source, or -1
    QImage imageBitmap(int index) const { return image(index).bitmap; }
    void setImageBitmap(int index, const QImage& bitmap);  // schedules a repaint
    void repaint();                                        // repaints at once

    const ViewSettings& settings() const { return settings_; }
    void setSettings(const ViewSettings& s);
    void setMarginWidth(int px);
    void setMarginHeight(int px);
    void setDefFontName(const QString& name);
    void setDefFontSize(int points);
    void setDefPreFontName(const QString& name);
    void setDefBackground(const QColor& color);
    void setScrollBars(ScrollBars bars);
    void setNoSelect(bool on);
    void setViewImages(bool on);
    void setCharSet(int charSet);

    int documentHeight() const;
    // The words of the document's <title> (spaces collapsed), empty when it has none.
    QString title() const;
    int scrollY() const;
    void setScrollY(int y);
    QString selectedText() const;
    void selectAll();
    // Paints the document rectangle docRect (document coordinates), form controls
    // included, at the painter's origin (for pictures of a page).
    void renderDocument(QPainter& painter, const QRect& docRect) const;

    // Keyboard access. Links are numbered in document order; one of them can hold
    // the keyboard focus while the view has it, and Space or Enter then clicks it.
    int linkCount() const { return static_cast<int>(linkStops_.size()); }
    QString linkTarget(int link) const;
    QString linkText(int link) const;  // its words, or else the alt texts of its images
    bool linkIsImage(int link) const;  // a picture and no words
    QRect linkRect(int link) const;    // viewport coordinates
    int focusedLink() const { return focusedLink_; }
    void setFocusedLink(int link);  // -1 for none; scrolls the link into view
    void activateLink(int link);    // as a left click on it (its image first)
    std::vector<KeyboardStop> keyboardStops() const;
    // The laid-out page (for the accessibility interface); null before the first load.
    const LayoutResult* layoutResult() const { return layout_.get(); }
    int generation() const { return generation_; }
    std::pair<int, int> selection() const { return {selAnchor_, selEnd_}; }
    void setSelection(int from, int to);

    std::function<void(HtmlView&, const QString& target, bool& handled)> OnHotSpotClick;
    std::function<void(HtmlView&, int image, Qt::MouseButton, Qt::KeyboardModifiers, QPoint)>
        OnImageClick;
    std::function<QByteArray(HtmlView&, const QString& name)> OnImageRequest;
    std::function<void(HtmlView&, Qt::MouseButton, Qt::KeyboardModifiers, QPoint)> OnMouseDown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

signals:
    // The focused link changed, moved or was scrolled (for a focus ring drawn over it).
    void focusedLinkChanged();
    // Another document was loaded or laid out anew.
    void documentChanged();

private:
    void findLinks();
    void notifyFocusedLink();
    template <typename T>
    void changeSetting(T ViewSettings::*field, std::type_identity_t<T> value);
    struct Press;
    void loadDocument(std::shared_ptr<Document> doc);
    void discardControls();
    void createControls();
    std::exception_ptr requestImages();
    QImage requestPicture(const QString& source, int generation);
    QSizeF controlSize(int control, const QFont& font);
    void relayout(bool force = false);
    void dispatchClick(QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers mods);
    void placeControls();
    void paintDocument(QPainter& painter, const QRect& docRect) const;
    void updateScrollRange();
    QPoint toDocument(QPoint viewportPos) const;
    int textPositionAt(QPoint docPos, bool nearest) const;

    ViewSettings settings_;
    std::shared_ptr<Document> doc_;
    std::shared_ptr<LayoutResult> layout_;
    std::vector<ImageObject> images_;
    std::vector<FormControl> controls_;
    std::shared_ptr<FontCache> fonts_;
    std::vector<int> controlNodes_;
    std::vector<bool> controlFontSet_;  // the program may set its own font afterwards
    std::unique_ptr<Press> press_;
    int backgroundImage_ = -1;
    int generation_ = 0;  // counts loads, so a click never spans two documents
    int selAnchor_ = -1;  // selection ends as text positions (see layout.h)
    int selEnd_ = -1;
    int layoutWidth_ = -1;
    std::vector<int> linkStops_;  // layout link index of each link, in document order
    int focusedLink_ = -1;
};

}  // namespace dorvane::htmlview
