// SPDX-License-Identifier: GPL-3.0-or-later
// IsOnline: is a connection up, and does the configured DNS server answer the
// site's name? Any failure on the way means offline, and nothing is reported.
#pragma once

#include <chrono>
#include <string>

#include "dns/dns_client.h"
#include "platform/network_state.h"

namespace dorvane::pages {

class OnlineCheck {
public:
    // The query identifier is drawn here, once, and used for every check of the run.
    OnlineCheck(platform::NetworkState& network, dns::Endpoint server, std::string host,
                std::chrono::milliseconds limit);

    // Asks the system first (no connection: false at once, nothing is sent), then
    // sends the one query and waits for the answer on this thread, at most the limit.
    bool IsOnline() const;

    const dns::DnsClient& client() const { return client_; }

private:
    platform::NetworkState& network_;
    dns::DnsClient client_;
    std::string host_;
    std::chrono::milliseconds limit_;
};

}  // namespace dorvane::pages
