// SPDX-License-Identifier: GPL-3.0-or-later
// One goal board: its picture, seven goal lines, the text style and the text box,
// with the fixed tables that the style controls offer.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace dorvane::compose {

// Colours are 0x00BBGGRR, red in the low byte.
using Color = std::int32_t;

// The key colour: a sheet drawn on it is laid over a picture leaving this colour
// out. The preview frame is drawn that way; the text layer carries coverage
// instead, so that glyph edges blend with the picture.
inline constexpr std::uint32_t TextKeyColor = 0x563421;  // red 33, green 52, blue 86

inline constexpr int kGoalCount = 7;

struct GoalBoard {
    std::string Name;
    std::string PicName;
    std::array<std::string, kGoalCount + 1> Goal;  // Goal[1] .. Goal[7]; Goal[0] unused
    std::string FontName;
    std::int32_t FontSize = 12;
    std::uint8_t FontStyle = 0;  // 0 regular, 1 bold, 2 italic, 3 bold and italic
    Color FontColor = 0;
    std::uint8_t FontShading = 0;  // index into kShadingNames (compose/shading.h)
    std::uint8_t FontAlign = 0;    // 0 left, 1 center, 2 right
    bool FontBullets = false;
    std::int32_t TextPosX = 10;
    std::int32_t TextPosY = 10;
    std::int32_t TextWidth = 0;
    // The size in pixels of the screen the board was styled on (the one page 4's
    // preview stood for); 0 when the file does not say. Box and font are scaled
    // from it to the screen the board is composed for.
    std::int32_t ScreenWidth = 0;
    std::int32_t ScreenHeight = 0;
    std::string Preview;

    friend bool operator==(const GoalBoard&, const GoalBoard&) = default;
};

// A new board for a screen of the given width: box at (10, 10), width − 20 wide.
GoalBoard NewBoard(int screenWidth);

inline constexpr std::array<int, 14> kFontSizes = {9,  10, 11, 12, 13, 14, 16,
                                                   18, 20, 22, 24, 28, 32, 36};
inline constexpr int kDefaultSizeIndex = 3;  // "12"

inline constexpr std::array<std::string_view, 10> FontChoices = {
    "Arial",   "Comic Sans MS",    "Century Gothic", "Courier New",     "Garamond",
    "Georgia", "Monotype Corsiva", "Tahoma",         "Times New Roman", "Verdana"};

inline constexpr std::array<std::string_view, 4> kStyleNames = {"regular", "bold", "italic",
                                                                "bold/italic"};
inline constexpr std::array<std::string_view, 3> kAlignNames = {"left", "center", "right"};
// The shading list: the three shadings of the original program, then outlines and
// translucent bands behind the text at four opacities. Files store the index; the
// original program reads any value above 2 as "none", so its files stay readable.
inline constexpr std::array<std::string_view, 13> kShadingNames = {"none",
                                                                   "dark",
                                                                   "bright",
                                                                   "dark outline",
                                                                   "bright outline",
                                                                   "dark band 35%",
                                                                   "dark band 50%",
                                                                   "dark band 65%",
                                                                   "dark band 80%",
                                                                   "bright band 35%",
                                                                   "bright band 50%",
                                                                   "bright band 65%",
                                                                   "bright band 80%"};

struct NamedColor {
    std::string_view name;
    Color value;
};

inline constexpr std::array<NamedColor, 20> kColors = {{
    {"Black", 0x000000}, {"Maroon", 0x000080},      {"Green", 0x008000},
    {"Olive", 0x008080}, {"Navy", 0x800000},        {"Purple", 0x800080},
    {"Teal", 0x808000},  {"Gray", 0x808080},        {"Silver", 0xC0C0C0},
    {"Red", 0x0000FF},   {"Lime", 0x00FF00},        {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},  {"Fuchsia", 0xFF00FF},     {"Aqua", 0xFFFF00},
    {"White", 0xFFFFFF}, {"Money Green", 0xC0DCC0}, {"Sky Blue", 0xF0CAA6},
    {"Cream", 0xF0FBFF}, {"Medium Gray", 0xA4A0A0},
}};

}  // namespace dorvane::compose
