// SPDX-License-Identifier: GPL-3.0-or-later
// "Is a network connection configured and up?", the question the online check asks
// before it sends anything. Tests answer it themselves.
#pragma once

#include <functional>
#include <string_view>

namespace dorvane::platform {

class NetworkState {
public:
    virtual ~NetworkState() = default;
    virtual bool connectionUp() = 0;
};

// Linux: a default route (IPv4 or IPv6) through an interface that is up, running
// and not the loopback, from /proc/net/route, /proc/net/ipv6_route and the
// interface flags.
class SystemNetworkState : public NetworkState {
public:
    bool connectionUp() override;
};

// The rule over the text of the two route tables (as the kernel writes them) and a
// test of whether an interface, by name, is up and not a loopback.
bool HasDefaultRoute(std::string_view ipv4Routes, std::string_view ipv6Routes,
                     const std::function<bool(std::string_view name)>& interfaceUp);

}  // namespace dorvane::platform
