// SPDX-License-Identifier: GPL-3.0-or-later
// The fonts a layout uses, each measured once; word widths are cached per font
// because pages repeat their words.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>
#include <vector>

namespace dorvane::htmlview {

struct FontKey {
    QString family;
    int pixelSize = 13;
    bool bold = false;
    bool italic = false;
    bool underline = false;
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
    mutable QHash<QString, float> widths;
};

class FontCache {
public:
    int get(const FontKey& key);
    const FontEntry& operator[](int i) const { return entries_[static_cast<std::size_t>(i)]; }
    float width(int font, const QString& word) const;
    void clear() { entries_.clear(); }

private:
    std::vector<FontEntry> entries_;
};

// Pixels for a font size in points at 96 pixels per inch.
int PointsToPixels(double points);
// The point size of HTML font size 1..7 when size 3 is `base` points.
double HtmlFontPoints(int htmlSize, double base);

}  // namespace dorvane::htmlview
