// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the view's tests: a Qt application, layouts of small documents
// with made-up image sizes, and pictures encoded as PNG bytes.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>
#include <map>
#include <vector>

#include "htmlview/layout.h"
#include "htmlview/parser.h"

namespace dorvane::htmlview::test {

void EnsureApplication();

struct Laid {
    Document doc;
    LayoutResult result;
    std::vector<QString> sources;
    std::vector<const Fragment*> of(Fragment::Kind kind) const;
    const Fragment& image(const QString& source) const;  // the first image of that name
};

// Lays out html at width with margins 0 (unless given); image "s" is 1 x 1, an image
// named "wWIDTHhHEIGHT" has that size, others come from sizes.
Laid Lay(const QString& html, int width, std::map<QString, QSize> sizes = {}, int margin = 0);

QByteArray PngBytes(QSize size, QColor color);

// The "html_body_3" like goals form used by several tests.
QByteArray GoalsPage();

}  // namespace dorvane::htmlview::test
