// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/board_text.h"

#include <optional>

#include "boards/cp1252.h"
#include "boards/utf8.h"

namespace dorvane::boards {
namespace {

char32_t Unit(std::string_view bytes, std::size_t i) {
    return static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
}

// Pairs of surrogates join; a lone one, or a last odd byte, gives U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t cp = Unit(bytes, i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = Unit(bytes, i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(out, cp);  // a lone surrogate becomes U+FFFD there
    }
    if (i < bytes.size()) AppendUtf8(out, kReplacementCharacter);
    return out;
}

}  // namespace

std::string EncodeBoardText(std::string_view utf8) {
    if (std::optional<std::string> bytes = Utf8ToCp1252Exactly(utf8)) return *std::move(bytes);
    return std::string(kUtf8Mark) + ValidUtf8(utf8);
}

std::string DecodeBoardText(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) return ValidUtf8(bytes.substr(kUtf8Mark.size()));
    if (bytes.starts_with(kUtf16LeMark)) return Utf16LeToUtf8(bytes.substr(kUtf16LeMark.size()));
    return Cp1252ToUtf8(bytes);
}

}  // namespace dorvane::boards
