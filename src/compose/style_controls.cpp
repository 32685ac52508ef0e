// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/style_controls.h"

#include <algorithm>

#include "base/ascii.h"
#include "base/rounding.h"

namespace dorvane::compose {
namespace {

template <typename Names>
ChoiceList ListOf(const Names& names, int selected) {
    ChoiceList list;
    for (const auto& name : names) list.items.emplace_back(name);
    list.selected = selected;
    return list;
}

int IndexOrNone(int index, std::size_t count) {
    return index >= 0 && static_cast<std::size_t>(index) < count ? index : -1;
}

}  // namespace

const std::string* ChoiceList::selectedText() const {
    if (selected < 0 || static_cast<std::size_t>(selected) >= items.size()) return nullptr;
    return &items[static_cast<std::size_t>(selected)];
}

StyleControls::StyleControls() {
    cbStyle = ListOf(kStyleNames, 0);
    std::vector<std::string> sizes;
    for (int size : kFontSizes) sizes.push_back(std::to_string(size));
    cbSize = ListOf(sizes, kDefaultSizeIndex);
    cbAlign = ListOf(kAlignNames, 0);
    std::vector<std::string_view> colorNames;
    for (const NamedColor& c : kColors) colorNames.push_back(c.name);
    cbColor = ListOf(colorNames, 0);
    cbShading = ListOf(kShadingNames, 0);
}

void FillFontList(StyleControls& controls, const std::vector<std::string>& installedFamilies) {
    ChoiceList& list = controls.cbFont;
    list.items.clear();
    for (const std::string& family : installedFamilies)
        for (std::string_view choice : FontChoices)
            if (family == choice) list.items.push_back(family);
    std::sort(list.items.begin(), list.items.end());
    list.items.erase(std::unique(list.items.begin(), list.items.end()), list.items.end());
    list.selected = list.items.empty() ? -1 : 0;
}

void ReadStyleControls(const StyleControls& controls, TGoalsProject& board) {
    const std::string* font = controls.cbFont.selectedText();
    board.FontName = font ? *font : std::string();
    if (const std::string* size = controls.cbSize.selectedText()) board.FontSize = std::stoi(*size);
    if (controls.cbStyle.selected >= 0)
        board.FontStyle = static_cast<std::uint8_t>(controls.cbStyle.selected);
    if (controls.cbColor.selectedText())
        board.FontColor = kColors[static_cast<std::size_t>(controls.cbColor.selected)].value;
    if (controls.cbShading.selected >= 0)
        board.FontShading = static_cast<std::uint8_t>(controls.cbShading.selected);
    if (controls.cbAlign.selected >= 0)
        board.FontAlign = static_cast<std::uint8_t>(controls.cbAlign.selected);
}

int FindFontItem(const ChoiceList& cbFont, const std::string& name) {
    for (std::size_t i = 0; i < cbFont.items.size(); ++i)
        if (base::EqualsIgnoringAsciiCase(cbFont.items[i], name)) return static_cast<int>(i);
    return -1;
}

void ShowBoardStyle(StyleControls& controls, const TGoalsProject& board) {
    controls.cbFont.selected = FindFontItem(controls.cbFont, board.FontName);
    const auto size = std::find(controls.cbSize.items.begin(), controls.cbSize.items.end(),
                                std::to_string(board.FontSize));
    controls.cbSize.selected = size == controls.cbSize.items.end()
                                   ? -1
                                   : static_cast<int>(size - controls.cbSize.items.begin());
    controls.cbStyle.selected = IndexOrNone(board.FontStyle, controls.cbStyle.items.size());
    controls.cbShading.selected = IndexOrNone(board.FontShading, controls.cbShading.items.size());
    controls.cbAlign.selected = IndexOrNone(board.FontAlign, controls.cbAlign.items.size());
    controls.cbColor.selected = -1;
    for (std::size_t i = 0; i < kColors.size(); ++i)
        if (kColors[i].value == board.FontColor) controls.cbColor.selected = static_cast<int>(i);
}

}  // namespace dorvane::compose
