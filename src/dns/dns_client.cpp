// SPDX-License-Identifier: GPL-3.0-or-later
// The UDP exchange of the DNS client.
#include "dns/dns_client.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <system_error>
#include <vector>

#include "dns/dns_message.h"

namespace dorvane::dns {
namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void ThrowErrno(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

// A fresh socket per query: a fresh port, so no late reply to an earlier query
// (which carries the same identifier) can be taken for this one.
class UdpSocket {
public:
    explicit UdpSocket(int family) : fd_(::socket(family, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
        if (fd_ < 0) ThrowErrno("socket");
    }
    ~UdpSocket() { ::close(fd_); }
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

// Waits until a datagram can be read or the deadline passes (false).
bool WaitReadable(int fd, Clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return false;
        pollfd p{fd, POLLIN, 0};
        const int n = ::poll(&p, 1, static_cast<int>(left.count()));
        if (n > 0) return true;
        if (n < 0 && errno != EINTR) ThrowErrno("poll");
    }
}

}  // namespace

bool DnsClient::Resolves(std::string_view name, std::chrono::milliseconds limit) const {
    const Clock::time_point deadline = Clock::now() + limit;
    const Bytes query = BuildQuery(id_, name);
    const UdpSocket socket(server_.family());
    // Connected: a server port that is closed is reported at once (ECONNREFUSED)
    // instead of being waited for, and the kernel drops datagrams from elsewhere.
    if (::connect(socket.fd(), reinterpret_cast<const sockaddr*>(&server_.address),
                  server_.length) < 0)
        ThrowErrno("connect");
    if (::send(socket.fd(), query.data(), query.size(), 0) < 0) ThrowErrno("send");
    std::vector<std::uint8_t> buffer(65536);  // the largest datagram fits whole
    while (WaitReadable(socket.fd(), deadline)) {
        sockaddr_storage from{};
        socklen_t fromLength = sizeof from;
        const ssize_t n = ::recvfrom(socket.fd(), buffer.data(), buffer.size(), MSG_DONTWAIT,
                                     reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) continue;
            ThrowErrno("recvfrom");
        }
        if (!server_.matches(from)) continue;  // never, connected; but cheap to be sure
        const std::span<const std::uint8_t> reply(buffer.data(), static_cast<std::size_t>(n));
        switch (ClassifyReply(reply, query)) {
            case ReplyKind::Answer:
                return true;
            case ReplyKind::Failure:
                return false;
            case ReplyKind::NotOurs:
                break;
        }
    }
    return false;
}

std::uint16_t RandomQueryId() {
    std::random_device seed;
    std::uniform_int_distribution<unsigned> pick(0, 65534);
    return static_cast<std::uint16_t>(pick(seed));
}

}  // namespace dorvane::dns
