// SPDX-License-Identifier: GPL-3.0-or-later
// Page 2, "Choose background image": the scrolling grid of thumbnails with the
// navy selection frame, the page texts above and below it, and the selection,
// key and scrolling rules of the grid. The window owns the state it works on.
#pragma once

#include <QScrollArea>
#include <QWidget>
#include <functional>
#include <vector>

#include "gallery/catalogue.h"
#include "gallery/gallery_build.h"
#include "htmlview/html_view.h"

class QLabel;

namespace dorvane::gallery {

// What the main window keeps about the gallery.
struct GalleryState {
    Catalogue Pictures;
    std::int32_t PictureCount = 0;
    std::int32_t SelectedPicture = 0;
    std::int32_t LoadedPicture = 0;
};

// One thumbnail: a 95×71 picture with its number and its name as tooltip.
class ThumbnailControl : public QWidget {
    Q_OBJECT
public:
    ThumbnailControl(QWidget* parent, int number, const QImage& picture);
    int number() const { return number_; }
    const QImage& picture() const { return picture_; }

    std::function<void(ThumbnailControl*)> onClick;
    std::function<void(ThumbnailControl*)> onDoubleClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int number_;
    QImage picture_;
};

// A rectangle with an outline, filled white (the grid's border and selection frame).
class ShapeControl : public QWidget {
public:
    ShapeControl(QWidget* parent, const char* name, QColor pen, int penWidth);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor pen_;
    int penWidth_;
};

class GalleryPage : public QWidget, public GalleryGrid {
    Q_OBJECT
public:
    GalleryPage(QWidget* parent, GalleryState& state);

    // The page's texts above and below the grid, the scrolling grid, its border,
    // the frame around the chosen picture and the spacer below the last row.
    htmlview::HtmlView* topText() const { return topText_; }
    htmlview::HtmlView* bottomText() const { return bottomText_; }
    QScrollArea* scrollArea() const { return scrollArea_; }
    ShapeControl* gridBorder() const { return gridBorder_; }
    ShapeControl* selectionFrame() const { return selectionFrame_; }
    QLabel* bottomSpacer() const { return bottomSpacer_; }

    // GalleryGrid: what BuildGallery does to the grid.
    void clear() override;
    void addThumbnail(const PictureInfo& entry, const imaging::Bitmap& thumbnail) override;
    void select(std::int32_t number) override;
    void finish(std::int32_t count) override;
    void reportLoadError(const std::string& message) override;

    ThumbnailControl* findThumbnail(int n) const;
    void selectThumbnail(ThumbnailControl* t);
    void scrollToPicture(int n);
    // The window's keys on page 2: arrows move the selection, every key scrolls.
    void keyDown(int qtKey);
    const std::vector<ThumbnailControl*>& thumbnails() const { return thumbnails_; }
    std::int32_t selectedNumber() const { return state_.SelectedPicture; }

    std::function<void(const std::string& picName)> onPictureChosen;  // the board's picture name
    std::function<void(ThumbnailControl*)> onDoubleClick;             // opens it full screen
    std::function<void(const std::string& text)> inform;              // the plain message box

protected:
    // The grid's own keys when it has the focus: the arrows are the window's
    // (keyDown) and do not also scroll; Enter shows the chosen picture full screen.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    htmlview::HtmlView* topText_;
    htmlview::HtmlView* bottomText_;
    QScrollArea* scrollArea_;
    ShapeControl* gridBorder_;
    ShapeControl* selectionFrame_;
    QLabel* bottomSpacer_;
    GalleryState& state_;
    QWidget* content_;
    std::vector<ThumbnailControl*> thumbnails_;
};

}  // namespace dorvane::gallery
