// SPDX-License-Identifier: GPL-3.0-or-later
// INI ("profile") text of our own, with the rules board files have always relied
// on: CR LF lines; section and key names matched without regard to ASCII case;
// blanks (space, TAB, VT, FF and the DOS end-of-file byte 0x1A) around names and
// values and one pair of enclosing quotes dropped; the first of two sections or
// keys of one name counts; values cut at 2047 characters; integers read
// leniently. Values are UTF-8; the file's bytes are encoded as board_text says.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dorvane::boards {

inline constexpr std::size_t kMaxProfileValue = 2047;
// Files are read up to this size; a board file is a few tens of kilobytes.
inline constexpr std::size_t kMaxProfileFileBytes = 4u << 20;

class ProfileDocument {
public:
    // The file's bytes (decoded by their byte-order mark). Accepts CR LF, LF or
    // CR line ends and any bytes; never fails. A section header is the text
    // between "[" and the last "]" of its line.
    static ProfileDocument Parse(std::string_view bytes);
    // A missing or unreadable file gives an empty document; only the first
    // kMaxProfileFileBytes bytes of a file are read.
    static ProfileDocument Load(const std::filesystem::path& path);

    // The value (UTF-8) as a reader sees it, or nothing when the section or key is missing.
    std::optional<std::string> get(std::string_view section, std::string_view key) const;
    std::string getString(std::string_view section, std::string_view key,
                          std::string_view fallback) const;
    std::int32_t getInt(std::string_view section, std::string_view key,
                        std::int32_t fallback) const;

    // Like a key-by-key writer: a missing section goes at the end of the file, a
    // missing key at the end of its section, an existing key gets the new value.
    void set(std::string_view section, std::string_view key, std::string_view value);

    // The file's bytes: "[Section]" and "key=value" lines ending in CR LF,
    // in Windows-1252 when every character maps to it, else UTF-8 with its mark.
    std::string serialize() const;

    bool hasSection(std::string_view section) const { return findSection(section) != nullptr; }
    // Names of the keys of a section as written (first section of that name).
    std::vector<std::string> keys(std::string_view section) const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        std::unordered_map<std::string, std::size_t> index;  // upper-case key -> first entry
    };
    const Section* findSection(std::string_view name) const;
    static void addEntry(Section& section, std::string key, std::string value);

    std::vector<Section> sections_;
};

// Lenient integer: optional blanks and sign, then decimal digits, or hexadecimal
// after "$", "x", "X", "0x" or "0X"; anything else, or a value outside 32 bits,
// gives nothing. Hexadecimal takes up to 32 bits ("$FFFFFFFF" is −1).
std::optional<std::int32_t> ParseProfileInt(std::string_view text);

}  // namespace dorvane::boards
