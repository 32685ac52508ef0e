// SPDX-License-Identifier: GPL-3.0-or-later
#include "htmlview/fonts.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace dorvane::htmlview {

int PointsToPixels(double points) {
    return std::max(1, int(std::lround(points * 96.0 / 72.0)));
}

double HtmlFontPoints(int htmlSize, double base) {
    // Sizes relative to size 3, as the common browsers scale them (10 pt: 7.5 ... 24).
    static const double kScale[7] = {0.75, 0.8, 1.0, 1.2, 1.4, 1.8, 2.4};
    return base * kScale[std::clamp(htmlSize, 1, 7) - 1];
}

int FontCache::get(const FontKey& key) {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].key == key) return static_cast<int>(i);
    QFont f(key.family);
    f.setPixelSize(std::clamp(key.pixelSize, 1, 400));
    f.setBold(key.bold);
    f.setItalic(key.italic);
    f.setUnderline(key.underline);
    f.setKerning(false);  // words are measured one by one; keep runs the sum of their words
    f.setHintingPreference(QFont::PreferFullHinting);
    const QFontMetrics im(f);
    FontEntry e{key,
                f,
                QFontMetricsF(f),
                im.ascent(),
                im.descent(),
                0,
                0,
                0,
                std::vector<float>(FontEntry::kTableSize, -1.f)};
    e.space = float(e.metrics.horizontalAdvance(QLatin1Char(' ')));
    e.xHeight = float(e.metrics.xHeight());
    e.averageChar = float(e.metrics.averageCharWidth());
    entries_.push_back(std::move(e));
    return static_cast<int>(entries_.size()) - 1;
}

float FontCache::width(int font, QStringView word) const {
    const FontEntry& e = entries_[static_cast<std::size_t>(font)];
    float w = 0;
    for (QChar c : word) {
        const char16_t u = c.unicode();
        if (u >= FontEntry::kTableSize) return float(e.metrics.horizontalAdvance(word.toString()));
        float& a = e.advances[u];
        if (a < 0) a = float(e.metrics.horizontalAdvance(c));
        w += a;
    }
    return w;
}

}  // namespace dorvane::htmlview
