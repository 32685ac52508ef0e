// SPDX-License-Identifier: GPL-3.0-or-later
#include "htmlview/accessible_text.h"

#include <algorithm>

namespace dorvane::htmlview {

AccessibleText BuildAccessibleText(const LayoutResult& layout) {
    AccessibleText out;
    float lastBaseline = -1;
    for (std::size_t i = 0; i < layout.fragments.size(); ++i) {
        const Fragment& f = layout.fragments[i];
        if (f.kind != Fragment::Kind::Text || f.text.isEmpty()) continue;
        if (lastBaseline >= 0 && f.baseline != lastBaseline) out.text += u'\n';
        lastBaseline = f.baseline;
        out.spans.push_back({int(out.text.size()), f.textPos, int(f.text.size()), int(i)});
        out.text += f.text;
    }
    out.text.replace(QChar(0xA0), u' ');
    return out;
}

int AccessibleText::offsetOf(int textPos) const {
    // The last span that starts at or before the position.
    auto it = std::upper_bound(spans.begin(), spans.end(), textPos,
                               [](int p, const Span& s) { return p < s.textPos; });
    if (it == spans.begin()) return 0;
    --it;
    return it->offset + std::min(textPos - it->textPos, it->length);
}

int AccessibleText::textPosOf(int offset) const {
    auto it = std::upper_bound(spans.begin(), spans.end(), offset,
                               [](int o, const Span& s) { return o < s.offset; });
    if (it == spans.begin()) return spans.empty() ? 0 : spans.front().textPos;
    --it;
    return it->textPos + std::min(offset - it->offset, it->length);
}

const AccessibleText::Span* AccessibleText::spanAt(int offset) const {
    auto it = std::upper_bound(spans.begin(), spans.end(), offset,
                               [](int o, const Span& s) { return o < s.offset; });
    if (it == spans.begin()) return nullptr;
    --it;
    return offset < it->offset + it->length ? &*it : nullptr;
}

}  // namespace dorvane::htmlview
