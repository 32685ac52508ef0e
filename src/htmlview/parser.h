// SPDX-License-Identifier: GPL-3.0-or-later
// A forgiving parser for the small XHTML pages the program shows. It reads what
// browsers read: tag and attribute names in any case, quoted or bare values, unknown
// tags skipped (their text kept), p/li/td/tr closed implicitly, stray end tags
// ignored, comments, <!DOCTYPE> and <?xml?> skipped, character references resolved.
// Nesting deeper than the limit is flattened and the node count is capped, so hostile
// input costs bounded time and memory.
#pragma once

#include <QByteArray>
#include <QString>

#include "htmlview/dom.h"

namespace dorvane::htmlview {

struct ParseLimits {
    int maxDepth = 100;        // open elements; deeper start tags are ignored
    int maxNodes = 1'000'000;  // elements beyond this are ignored (text is kept)
};

Document ParseHtml(const QString& text, const ParseLimits& limits = {});
// Decodes the bytes (see charset.h) and parses them.
Document ParseHtmlBytes(const QByteArray& bytes, int charSetSetting,
                        const ParseLimits& limits = {});

}  // namespace dorvane::htmlview
