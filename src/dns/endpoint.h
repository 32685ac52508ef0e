// SPDX-License-Identifier: GPL-3.0-or-later
// A DNS server's address: an IPv4 or IPv6 literal and a UDP port.
#pragma once

#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dorvane::dns {

struct Endpoint {
    sockaddr_storage address{};
    socklen_t length = 0;

    int family() const { return address.ss_family; }
    // Same address and port (IPv6 flow and scope information aside).
    bool matches(const sockaddr_storage& other) const;
    std::string toString() const;  // "192.0.2.1:53", "[2001:db8::1]:53"
};

inline constexpr std::uint16_t kDnsPort = 53;

// "host" or "host:port" with an IPv4 literal; "v6", "[v6]" or "[v6]:port" with an IPv6
// literal. Ports are decimal, 1 to 65535. Names are not resolved (this is what the
// DNS is for): anything else is nullopt.
std::optional<Endpoint> ParseEndpoint(std::string_view text, std::uint16_t defaultPort = kDnsPort);

}  // namespace dorvane::dns
