// SPDX-License-Identifier: GPL-3.0-or-later
// The thumbnail grid's arithmetic: three 95×71 thumbnails a row, rows 83 pixels
// apart starting at 12, columns at 20/130/240 in a 372-pixel grid, a 13-pixel
// bottom spacer one row step below the last row, and the scroll position that
// shows a picture's row second in view.
#pragma once

namespace dorvane::gallery {

inline constexpr int kThumbWidth = 95;
inline constexpr int kThumbHeight = 71;
inline constexpr int kRowStep = 83;       // 71 + 12
inline constexpr int kColumnStep = 110;   // 95 + 15
inline constexpr int kFirstRowTop = -71;  // the layout cursor before the first row
inline constexpr int kSpacerHeight = 13;
inline constexpr int kFramePen = 4;

struct GridPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const GridPoint&, const GridPoint&) = default;
};

struct GridRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const GridRect&, const GridRect&) = default;
};

// Left of a row: room for the scroll bar, three thumbnails and two gaps (332).
int RowLeft(int gridWidth);

// Top-left of picture n's thumbnail (n from 1) in content coordinates.
GridPoint ThumbnailPosition(int n, int gridWidth);

// Top of the bottom spacer and height of the scrollable content for `count` pictures.
int SpacerTop(int count);
int ContentHeight(int count);

// The selection frame around a thumbnail at (left, top): 5 further out, 104×80.
GridRect SelectionFrame(GridPoint thumbnail);

// The scroll position that shows picture n: its band top (row top − 12) less one
// row, within 0…(content − view). n is clamped to 1…count.
int ScrollPositionFor(int n, int count, int viewHeight);

// The selection step of an arrow key (Qt key code): ←−1, ↑−3, →+1, ↓+3, else 0.
int ArrowStep(int qtKey);

}  // namespace dorvane::gallery
