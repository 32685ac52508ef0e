// SPDX-License-Identifier: GPL-3.0-or-later
// The fonts a layout uses, each measured once. Kerning is off, so a word is as wide as
// the sum of its characters' advances, which are measured once per font.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <vector>

namespace dorvane::htmlview {

struct FontKey {
    int pixelSize = 13;  // compared first: cheaper than the family
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QString family;
    friend bool operator==(const FontKey&, const FontKey&) = default;
};

struct FontEntry {
    FontKey key;
    QFont font;
    QFontMetricsF metrics;
    int ascent = 0;
    int descent = 0;
    float space = 0;
    float xHeight = 0;
    float averageChar = 0;
    // Advances of the characters below kTableSize, measured when first met (-1 before).
    static constexpr int kTableSize = 0x2200;
    mutable std::vector<float> advances;
};

class FontCache {
public:
    int get(const FontKey& key);
    const FontEntry& operator[](int i) const { return entries_[static_cast<std::size_t>(i)]; }
    float width(int font, QStringView word) const;
    void clear() { entries_.clear(); }

private:
    std::vector<FontEntry> entries_;
};

// Pixels for a font size in points at 96 pixels per inch.
int PointsToPixels(double points);
// The point size of HTML font size 1..7 when size 3 is `base` points.
double HtmlFontPoints(int htmlSize, double base);

}  // namespace dorvane::htmlview
