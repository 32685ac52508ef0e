// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs.h"

namespace dorvane::platform {

std::string DisplayText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // A lone CR (no LF after it) ends a line, as the original message box showed it.
        if (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))
            out += '\n';
        else
            out += c;
    }
    return out;
}

}  // namespace dorvane::platform
