// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the query and judges replies.
#include "dns/dns_message.h"

#include <stdexcept>

namespace dorvane::dns {
namespace {

bool IsLabelChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

void Put16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
}

std::uint16_t Get16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>((b[at] << 8) | b[at + 1]);
}

}  // namespace

bool IsValidHostName(std::string_view name) {
    if (!name.empty() && name.back() == '.') name.remove_suffix(1);
    if (name.empty() || name.size() > 253) return false;
    std::size_t label = 0;
    for (char c : name) {
        if (c == '.') {
            if (label == 0) return false;
            label = 0;
        } else if (!IsLabelChar(c) || ++label > 63) {
            return false;
        }
    }
    return label > 0;
}

Bytes BuildQuery(std::uint16_t id, std::string_view name) {
    if (!IsValidHostName(name)) throw std::invalid_argument("not a host name");
    if (name.back() == '.') name.remove_suffix(1);
    Bytes q;
    q.reserve(kHeaderSize + name.size() + 6);
    Put16(q, id);
    Put16(q, kStandardQuery);
    for (std::uint16_t count : {1, 0, 0, 0}) Put16(q, count);  // QD, AN, NS, AR
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t dot = name.find('.', start);
        if (dot == std::string_view::npos) dot = name.size();
        q.push_back(static_cast<std::uint8_t>(dot - start));
        q.insert(q.end(), name.begin() + static_cast<std::ptrdiff_t>(start),
                 name.begin() + static_cast<std::ptrdiff_t>(dot));
        start = dot + 1;
    }
    q.push_back(0);  // the root label ends the name
    Put16(q, kTypeA);
    Put16(q, kClassIn);
    return q;
}

ReplyKind ClassifyReply(std::span<const std::uint8_t> reply, std::span<const std::uint8_t> query) {
    if (reply.size() < kHeaderSize || query.size() < kHeaderSize) return ReplyKind::NotOurs;
    if (Get16(reply, 0) != Get16(query, 0)) return ReplyKind::NotOurs;
    if ((reply[2] & 0x80) == 0) return ReplyKind::NotOurs;  // QR clear: a query, not a reply
    if ((reply[3] & 0x0F) != 0) return ReplyKind::Failure;  // response code
    if (reply.size() < query.size()) return ReplyKind::Failure;
    return ReplyKind::Answer;
}

}  // namespace dorvane::dns
