// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/font_families.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <algorithm>
#include <array>
#include <string_view>

#include "compose/goal_board.h"

namespace dorvane::compose {
namespace {

struct MetricAlias {
    std::string_view choice;
    std::array<std::string_view, 2> families;  // families drawn with the same advances
};

// The metric-compatible substitutes that fontconfig's own alias rules know.
constexpr std::array<MetricAlias, 4> kMetricAliases = {{
    {"Arial", {"Liberation Sans", "Arimo"}},
    {"Times New Roman", {"Liberation Serif", "Tinos"}},
    {"Courier New", {"Liberation Mono", "Cousine"}},
    {"Georgia", {"Gelasio", "Gelasio"}},
}};

bool BoundToMetricAlias(const MetricAlias& alias) {
    const QString bound = QFontInfo(QFont(QString::fromUtf8(alias.choice.data(),
                                                            static_cast<int>(alias.choice.size()))))
                              .family();
    return std::any_of(alias.families.begin(), alias.families.end(), [&](std::string_view f) {
        return bound == QString::fromUtf8(f.data(), static_cast<int>(f.size()));
    });
}

}  // namespace

std::vector<std::string> InstalledFontFamilies() {
    std::vector<std::string> families;
    for (const QString& family : QFontDatabase::families())
        families.push_back(family.toStdString());
    for (const MetricAlias& alias : kMetricAliases)
        if (BoundToMetricAlias(alias)) families.emplace_back(alias.choice);
    std::sort(families.begin(), families.end());
    families.erase(std::unique(families.begin(), families.end()), families.end());
    return families;
}

}  // namespace dorvane::compose
