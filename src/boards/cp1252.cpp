// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/cp1252.h"

#include <array>
#include <cstdint>

#include "boards/utf8.h"

namespace dorvane::boards {
namespace {

// Code points of bytes 0x80..0x9F; the undefined ones keep their own value.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kHigh[byte - 0x80] : char32_t{byte};
}

// The byte of a code point, or nothing when the code page lacks it.
std::optional<char> ByteFor(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp) return static_cast<char>(0x80 + i);
    return std::nullopt;
}

// U+FFFD from a malformed sequence maps to nothing, like any character outside.
template <typename OnMissing>
bool Convert(std::string_view utf8, std::string& out, OnMissing onMissing) {
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::optional<char> byte = ByteFor(NextCodePoint(utf8, i));
        if (byte)
            out.push_back(*byte);
        else if (!onMissing(out))
            return false;
    }
    return true;
}

}  // namespace

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    Convert(utf8, out, [](std::string& o) {
        o.push_back('?');
        return true;
    });
    return out;
}

std::optional<std::string> Utf8ToCp1252Exactly(std::string_view utf8) {
    std::string out;
    if (!Convert(utf8, out, [](std::string&) { return false; })) return std::nullopt;
    return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace dorvane::boards
