// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preview_page.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QShortcut>

#include "app/narrow_arrow_style.h"
#include "app/page_panels.h"
#include "compose/goal_board.h"

namespace dorvane::app {
namespace {

constexpr int kListTop = 308;
constexpr int kListHeight = 22;
constexpr int kLabelTop = 294;

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

}  // namespace

PreviewPage::PreviewPage(QWidget* parent) : QWidget(parent) {
    setObjectName("page4");
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    htmlBody41 = View(this, "htmlBody41", QRect(-1, -1, 387, 26));
    htmlBody42 = View(this, "htmlBody42", QRect(-1, 334, 387, 78));
    lblGeneratingPreview = new QLabel("Generating preview...", this);
    lblGeneratingPreview->setObjectName("lblGeneratingPreview");
    lblGeneratingPreview->move(122, 136);
    lblGeneratingPreview->setFont(Arial(8, true));
    lblGeneratingPreview->setStyleSheet("color: #800000; background: white;");
    lblGeneratingPreview->adjustSize();
    imgPreview = new PreviewCanvas(this);
    imgPreview->setGeometry(15, 27, 353, 262);
    cbFont = AddStyleList("cbFont", "Font", 3, 3, 115);
    cbStyle = AddStyleList("cbStyle", "Style", 119, 119, 71);
    cbSize = AddStyleList("cbSize", "Size", 191, 191, 42);
    cbAlign = AddStyleList("cbAlign", "Align", 234, 235, 55);
    cbColor = AddStyleList("cbColor", "Color", 290, 290, 38);
    cbShading = AddStyleList("cbShading", "Shading", 329, 329, 52);
    // "bold/italic", "center" and "bright" fit only beside a narrower arrow.
    for (QComboBox* list : {cbStyle, cbAlign, cbShading}) UseNarrowArrow(list);
    UseElidedText(cbFont);  // "Times New Ro…", not "Times New Roma"
    cbFont->setMaxVisibleItems(10);
    cbSize->setMaxVisibleItems(11);
    cbColor->setFont(font());  // the window's own font, not Arial
    cbColor->setIconSize(QSize(16, 12));
    cbColor->view()->setMinimumWidth(130);  // the names beside the swatches
    undoKey_ = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
    redoKey_ = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this);
    connect(undoKey_, &QShortcut::activated, this, [this] {
        if (onUndo) onUndo();
    });
    connect(redoKey_, &QShortcut::activated, this, [this] {
        if (onRedo) onRedo();
    });
    setShortcutsEnabled(false);
}

QComboBox* PreviewPage::AddStyleList(const char* name, const char* label, int left, int labelLeft,
                                     int width) {
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
    // `activated` comes from the user only; showing a board's style sets the
    // selections without it.
    connect(list, &QComboBox::activated, this, [this] {
        if (onStyleChosen) onStyleChosen();
    });
    return list;
}

std::array<QComboBox*, 6> PreviewPage::styleLists() const {
    return {cbFont, cbStyle, cbSize, cbAlign, cbColor, cbShading};
}

void PreviewPage::fillStyleLists(const compose::StyleControls& model) {
    FillList(cbFont, model.cbFont);
    FillList(cbStyle, model.cbStyle);
    FillList(cbSize, model.cbSize);
    FillList(cbAlign, model.cbAlign);
    FillList(cbShading, model.cbShading);
    cbColor->clear();
    for (const compose::NamedColor& c : compose::kColors)
        cbColor->addItem(Swatch(c.value),
                         QString::fromUtf8(c.name.data(), qsizetype(c.name.size())));
    showStyles(model);
}

void PreviewPage::showStyles(const compose::StyleControls& model) {
    const compose::ChoiceList* lists[] = {&model.cbFont,  &model.cbStyle, &model.cbSize,
                                          &model.cbAlign, &model.cbColor, &model.cbShading};
    const auto widgets = styleLists();
    for (std::size_t i = 0; i < widgets.size(); ++i)
        widgets[i]->setCurrentIndex(lists[i]->selected);
}

void PreviewPage::readStyles(compose::StyleControls& model) const {
    compose::ChoiceList* lists[] = {&model.cbFont,  &model.cbStyle, &model.cbSize,
                                    &model.cbAlign, &model.cbColor, &model.cbShading};
    const auto widgets = styleLists();
    for (std::size_t i = 0; i < widgets.size(); ++i)
        lists[i]->selected = widgets[i]->currentIndex();
}

void PreviewPage::setShortcutsEnabled(bool on) {
    undoKey_->setEnabled(on);
    redoKey_->setEnabled(on);
}

}  // namespace dorvane::app
