// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/online_check.h"

#include <exception>

namespace dorvane::pages {

OnlineCheck::OnlineCheck(platform::NetworkState& network, dns::Endpoint server, std::string host,
                         std::chrono::milliseconds limit)
    : network_(network),
      client_(server, dns::RandomQueryId()),
      host_(std::move(host)),
      limit_(limit) {}

bool OnlineCheck::IsOnline() const {
    try {
        return network_.connectionUp() && client_.Resolves(host_, limit_);
    } catch (const std::exception&) {
        return false;  // a socket error or an unusable name: offline, silently
    }
}

}  // namespace dorvane::pages
