// SPDX-License-Identifier: GPL-3.0-or-later
// The one DNS message the online check sends (RFC 1035), and how a reply to it is
// judged. Pure functions over bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace dorvane::dns {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::size_t kHeaderSize = 12;
inline constexpr std::uint16_t kStandardQuery = 0x0100;  // only "recursion desired"
inline constexpr std::uint16_t kTypeA = 1;
inline constexpr std::uint16_t kClassIn = 1;

// True when the name can be written as DNS labels: 1 to 63 bytes a label, at most
// 253 characters (one trailing dot allowed), letters, digits, '-' and '_' only.
bool IsValidHostName(std::string_view name);

// A standard query: the identifier, flags 0x0100, one question (name, type A,
// class IN), no other records. Throws std::invalid_argument for an invalid name.
Bytes BuildQuery(std::uint16_t id, std::string_view name);

enum class ReplyKind {
    NotOurs,  // not an answer to this query (no whole header, another identifier,
              // or a query rather than a response): the wait goes on
    Answer,   // the name was answered: response code 0, not shorter than the query
    Failure,  // our reply, but an error code or cut short: the check fails
};

ReplyKind ClassifyReply(std::span<const std::uint8_t> reply, std::span<const std::uint8_t> query);

}  // namespace dorvane::dns
