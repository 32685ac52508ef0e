// SPDX-License-Identifier: GPL-3.0-or-later
// Our own DNS client: one query over UDP to one server, answered or not within a
// time limit. No resolver library; plain sockets.
#pragma once

#include <chrono>
#include <cstdint>
#include <string_view>

#include "dns/endpoint.h"

namespace dorvane::dns {

class DnsClient {
public:
    // The identifier is used for every query this client sends.
    DnsClient(Endpoint server, std::uint16_t id) : server_(server), id_(id) {}

    // Sends a type A query for the name to the server and waits, on the calling
    // thread, for its answer. True when the server answered it (see ClassifyReply).
    // Datagrams from any other address or port, and ones that are not a reply to
    // this query, are ignored and the wait goes on, but never past the limit.
    // Throws std::system_error when a socket call fails (a closed server port among
    // them), std::invalid_argument for a name that is not a host name.
    bool Resolves(std::string_view name, std::chrono::milliseconds limit) const;

    std::uint16_t id() const { return id_; }
    const Endpoint& server() const { return server_; }

private:
    Endpoint server_;
    std::uint16_t id_;
};

// A random identifier from 0 to 65534.
std::uint16_t RandomQueryId();

}  // namespace dorvane::dns
