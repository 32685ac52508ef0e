// SPDX-License-Identifier: GPL-3.0-or-later
// Parsing and comparing DNS server addresses.
#include "dns/endpoint.h"

#include <arpa/inet.h>

#include <cstring>

namespace dorvane::dns {
namespace {

std::optional<std::uint16_t> ParsePort(std::string_view s) {
    if (s.empty() || s.size() > 5) return std::nullopt;
    unsigned v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + static_cast<unsigned>(c - '0');
    }
    if (v == 0 || v > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(v);
}

std::optional<Endpoint> Make(std::string_view host, std::uint16_t port, bool v6) {
    if (host.empty() || host.size() > INET6_ADDRSTRLEN) return std::nullopt;
    const std::string text(host);  // inet_pton wants a terminated string
    Endpoint e;
    if (v6) {
        auto* a = reinterpret_cast<sockaddr_in6*>(&e.address);
        if (inet_pton(AF_INET6, text.c_str(), &a->sin6_addr) != 1) return std::nullopt;
        a->sin6_family = AF_INET6;
        a->sin6_port = htons(port);
        e.length = sizeof(sockaddr_in6);
    } else {
        auto* a = reinterpret_cast<sockaddr_in*>(&e.address);
        if (inet_pton(AF_INET, text.c_str(), &a->sin_addr) != 1) return std::nullopt;
        a->sin_family = AF_INET;
        a->sin_port = htons(port);
        e.length = sizeof(sockaddr_in);
    }
    return e;
}

}  // namespace

std::optional<Endpoint> ParseEndpoint(std::string_view text, std::uint16_t defaultPort) {
    if (text.starts_with('[')) {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        const std::string_view rest = text.substr(close + 1);
        std::optional<std::uint16_t> port = defaultPort;
        if (!rest.empty()) port = rest.starts_with(':') ? ParsePort(rest.substr(1)) : std::nullopt;
        if (!port) return std::nullopt;
        return Make(text.substr(1, close - 1), *port, true);
    }
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) return Make(text, defaultPort, false);
    if (text.find(':', colon + 1) != std::string_view::npos) return Make(text, defaultPort, true);
    const std::optional<std::uint16_t> port = ParsePort(text.substr(colon + 1));
    if (!port) return std::nullopt;
    return Make(text.substr(0, colon), *port, false);
}

bool Endpoint::matches(const sockaddr_storage& other) const {
    if (other.ss_family != address.ss_family) return false;
    if (family() == AF_INET) {
        const auto& a = reinterpret_cast<const sockaddr_in&>(address);
        const auto& b = reinterpret_cast<const sockaddr_in&>(other);
        return a.sin_port == b.sin_port && a.sin_addr.s_addr == b.sin_addr.s_addr;
    }
    const auto& a = reinterpret_cast<const sockaddr_in6&>(address);
    const auto& b = reinterpret_cast<const sockaddr_in6&>(other);
    return a.sin6_port == b.sin6_port &&
           std::memcmp(&a.sin6_addr, &b.sin6_addr, sizeof(in6_addr)) == 0;
}

std::string Endpoint::toString() const {
    // Appended piece by piece: "[" + std::string(...) inserts at the front, which
    // GCC 12 at -O3 mistakes for an overlapping copy (-Wrestrict).
    char text[INET6_ADDRSTRLEN] = {};
    std::string result;
    std::uint16_t port = 0;
    if (family() == AF_INET) {
        const auto& a = reinterpret_cast<const sockaddr_in&>(address);
        inet_ntop(AF_INET, &a.sin_addr, text, sizeof text);
        result.append(text);
        port = ntohs(a.sin_port);
    } else {
        const auto& a = reinterpret_cast<const sockaddr_in6&>(address);
        inet_ntop(AF_INET6, &a.sin6_addr, text, sizeof text);
        result.append("[").append(text).append("]");
        port = ntohs(a.sin6_port);
    }
    return result.append(":").append(std::to_string(port));
}

}  // namespace dorvane::dns
