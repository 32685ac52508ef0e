// SPDX-License-Identifier: GPL-3.0-or-later
// File paths that break careless quoting: blanks, both quotes, backslash, non-ASCII,
// URI delimiters and a percent sign that looks like an escape.
#pragma once

#include <QString>
#include <QStringList>

inline QStringList NastyPaths(const QString& folder = QStringLiteral("/tmp/walls")) {
    return {folder + QStringLiteral("/plain.bmp"),
            folder + QStringLiteral("/My Walls/it's \"new\".bmp"),
            folder + QStringLiteral("/back\\slash/b\u00fcro #1 100%20.bmp"),
            folder + QStringLiteral("/what?&=;,$@!~*()[]{}.bmp"),
            folder + QStringLiteral("/tab\tand\u00e9\u0301 \u6f22\u5b57.bmp")};
}
