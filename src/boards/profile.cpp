// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/profile.h"

#include <algorithm>
#include <fstream>

#include "base/ascii.h"
#include "boards/board_text.h"
#include "boards/utf8.h"

namespace dorvane::boards {
namespace {

// What the profile reader has always trimmed: blanks, TAB, VT, FF and the DOS
// end-of-file byte.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string ReaderValue(std::string_view raw) {
    std::string_view v = TrimBlanks(raw);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v.substr(0, Utf8PrefixLength(v, kMaxProfileValue)));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<std::int32_t> ParseProfileInt(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && (text.front() == '$' || text.front() == 'x' || text.front() == 'X')) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        const int d = base == 16 ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (d < 0) return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    std::int64_t result;
    if (base == 16) {
        result = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    } else {
        result = static_cast<std::int64_t>(value);
        if (result > (negative ? 2147483648LL : 2147483647LL)) return std::nullopt;
    }
    if (negative) result = -result;
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(static_cast<std::uint64_t>(result)));
}

ProfileDocument ProfileDocument::Parse(std::string_view bytes) {
    const std::string text = DecodeBoardText(bytes);
    ProfileDocument doc;
    Section* current = nullptr;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        const std::string_view line = TrimBlanks(std::string_view(text).substr(pos, end - pos));
        pos = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
        const std::size_t close = line.rfind(']');
        if (line.starts_with('[') && close != std::string_view::npos) {
            doc.sections_.push_back({std::string(TrimBlanks(line.substr(1, close - 1))), {}, {}});
            current = &doc.sections_.back();
            continue;
        }
        const std::size_t eq = line.find('=');
        if (current == nullptr || eq == std::string_view::npos) continue;
        addEntry(*current, std::string(TrimBlanks(line.substr(0, eq))),
                 std::string(line.substr(eq + 1)));
    }
    return doc;
}

ProfileDocument ProfileDocument::Load(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return {};
    const std::streamoff size = in.tellg();
    if (size <= 0) return {};
    in.seekg(0);
    std::string bytes(std::min<std::size_t>(static_cast<std::size_t>(size), kMaxProfileFileBytes),
                      '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return Parse(bytes);
}

void ProfileDocument::addEntry(Section& section, std::string key, std::string value) {
    section.index.emplace(base::AsciiUpper(key), section.entries.size());
    section.entries.push_back({std::move(key), std::move(value)});
}

const ProfileDocument::Section* ProfileDocument::findSection(std::string_view name) const {
    for (const Section& s : sections_)
        if (base::EqualsIgnoringAsciiCase(s.name, name)) return &s;
    return nullptr;
}

std::optional<std::string> ProfileDocument::get(std::string_view section,
                                                std::string_view key) const {
    const Section* s = findSection(section);
    if (s == nullptr) return std::nullopt;
    const auto it = s->index.find(base::AsciiUpper(key));
    if (it == s->index.end()) return std::nullopt;
    return ReaderValue(s->entries[it->second].value);
}

std::string ProfileDocument::getString(std::string_view section, std::string_view key,
                                       std::string_view fallback) const {
    std::optional<std::string> v = get(section, key);
    return v ? *std::move(v) : std::string(fallback);
}

std::int32_t ProfileDocument::getInt(std::string_view section, std::string_view key,
                                     std::int32_t fallback) const {
    const std::optional<std::string> v = get(section, key);
    if (!v) return fallback;
    return ParseProfileInt(*v).value_or(fallback);
}

void ProfileDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    Section* s = const_cast<Section*>(findSection(section));
    if (s == nullptr) {
        sections_.push_back({std::string(section), {}, {}});
        s = &sections_.back();
    }
    const auto it = s->index.find(base::AsciiUpper(key));
    if (it != s->index.end())
        s->entries[it->second].value = std::string(value);
    else
        addEntry(*s, std::string(key), std::string(value));
}

std::string ProfileDocument::serialize() const {
    std::string out;
    for (const Section& s : sections_) {
        out += "[" + s.name + "]\r\n";
        for (const Entry& e : s.entries) out += e.key + "=" + e.value + "\r\n";
    }
    return EncodeBoardText(out);
}

std::vector<std::string> ProfileDocument::keys(std::string_view section) const {
    std::vector<std::string> out;
    if (const Section* s = findSection(section))
        for (const Entry& e : s->entries) out.push_back(e.key);
    return out;
}

}  // namespace dorvane::boards
