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
    style = ListOf(kStyleNames, 0);
    std::vector<std::string> sizes;
    for (int size : kFontSizes) sizes.push_back(std::to_string(size));
    size = ListOf(sizes, kDefaultSizeIndex);
    alignment = ListOf(kAlignNames, 0);
    std::vector<std::string_view> colorNames;
    for (const NamedColor& c : kColors) colorNames.push_back(c.name);
    colour = ListOf(colorNames, 0);
    shading = ListOf(kShadingNames, 0);
}

void FillFontList(StyleControls& controls, const std::vector<std::string>& installedFamilies) {
    ChoiceList& list = controls.font;
    list.items.clear();
    for (const std::string& family : installedFamilies)
        for (std::string_view choice : FontChoices)
            if (family == choice) list.items.push_back(family);
    std::sort(list.items.begin(), list.items.end());
    list.items.erase(std::unique(list.items.begin(), list.items.end()), list.items.end());
    list.selected = list.items.empty() ? -1 : 0;
}

void ReadStyleControls(const StyleControls& controls, GoalBoard& board) {
    const std::string* font = controls.font.selectedText();
    board.FontName = font ? *font : std::string();
    if (const std::string* size = controls.size.selectedText()) board.FontSize = std::stoi(*size);
    if (controls.style.selected >= 0)
        board.FontStyle = static_cast<std::uint8_t>(controls.style.selected);
    if (controls.colour.selectedText())
        board.FontColor = kColors[static_cast<std::size_t>(controls.colour.selected)].value;
    if (controls.shading.selected >= 0)
        board.FontShading = static_cast<std::uint8_t>(controls.shading.selected);
    if (controls.alignment.selected >= 0)
        board.FontAlign = static_cast<std::uint8_t>(controls.alignment.selected);
}

int FindFontItem(const ChoiceList& font, const std::string& name) {
    for (std::size_t i = 0; i < font.items.size(); ++i)
        if (base::EqualsIgnoringAsciiCase(font.items[i], name)) return static_cast<int>(i);
    return -1;
}

void ShowBoardStyle(StyleControls& controls, const GoalBoard& board) {
    controls.font.selected = FindFontItem(controls.font, board.FontName);
    const auto size = std::find(controls.size.items.begin(), controls.size.items.end(),
                                std::to_string(board.FontSize));
    controls.size.selected = size == controls.size.items.end()
                                 ? -1
                                 : static_cast<int>(size - controls.size.items.begin());
    controls.style.selected = IndexOrNone(board.FontStyle, controls.style.items.size());
    controls.shading.selected = IndexOrNone(board.FontShading, controls.shading.items.size());
    controls.alignment.selected = IndexOrNone(board.FontAlign, controls.alignment.items.size());
    controls.colour.selected = -1;
    for (std::size_t i = 0; i < kColors.size(); ++i)
        if (kColors[i].value == board.FontColor) controls.colour.selected = static_cast<int>(i);
}

}  // namespace dorvane::compose
