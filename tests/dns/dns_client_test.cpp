// SPDX-License-Identifier: GPL-3.0-or-later
// The DNS client against a real server (dnsmasq) and against a fake one of the
// test's own that sends what a real server would not.
#include "dns/dns_client.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <random>
#include <thread>

#include "../support/dnsmasq.h"
#include "dns/dns_message.h"
#include "pages/online_check.h"

namespace dorvane::dns {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class Socket {
public:
    Socket() : fd_(::socket(AF_INET, SOCK_DGRAM, 0)) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t len = sizeof a;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
    }
    ~Socket() { ::close(fd_); }
    int fd() const { return fd_; }
    std::uint16_t port() const { return port_; }

private:
    int fd_;
    std::uint16_t port_ = 0;
};

// One datagram the fake server sends, from its own port or from another one.
struct Send {
    Bytes bytes;
    bool fromOtherPort = false;
};
using Script = std::function<std::vector<Send>(const Bytes& query)>;

// Waits for the query, then sends what the script makes of it, in order.
class FakeServer {
public:
    explicit FakeServer(Script script, int queries = 1)
        : thread_([this, script, queries] {
              for (int i = 0; i < queries; ++i) Serve(script);
          }) {}
    ~FakeServer() { Finish(); }
    // Waits until the server has served its queries (or waited 5 s for one in vain).
    void Finish() {
        if (thread_.joinable()) thread_.join();
    }
    Endpoint endpoint() const {
        return *ParseEndpoint("127.0.0.1:" + std::to_string(main_.port()));
    }
    // Each query with the port it came from (read after Finish).
    const std::vector<std::pair<Bytes, std::uint16_t>>& queries() const { return queries_; }

private:
    void Serve(const Script& script) {
        pollfd p{main_.fd(), POLLIN, 0};
        if (::poll(&p, 1, 5000) <= 0) return;
        Bytes query(512);
        sockaddr_storage from{};
        socklen_t len = sizeof from;
        const ssize_t n = ::recvfrom(main_.fd(), query.data(), query.size(), 0,
                                     reinterpret_cast<sockaddr*>(&from), &len);
        if (n <= 0) return;
        query.resize(static_cast<std::size_t>(n));
        queries_.emplace_back(query, ntohs(reinterpret_cast<sockaddr_in&>(from).sin_port));
        for (const Send& s : script(query))
            ::sendto(s.fromOtherPort ? other_.fd() : main_.fd(), s.bytes.data(), s.bytes.size(), 0,
                     reinterpret_cast<sockaddr*>(&from), len);
    }

    Socket main_, other_;
    std::vector<std::pair<Bytes, std::uint16_t>> queries_;
    std::thread thread_;
};

Bytes Answer(const Bytes& query, std::uint8_t rcode = 0, std::size_t size = 0) {
    Bytes r = query;
    r[2] |= 0x80;
    r[3] = static_cast<std::uint8_t>(0x80 | rcode);
    r.resize(std::max(size, r.size()), 0);
    return r;
}

Bytes OtherId(Bytes b, int delta = 1) {
    const int id = ((b[0] << 8) | b[1]) + delta;
    b[0] = static_cast<std::uint8_t>((id >> 8) & 0xFF);
    b[1] = static_cast<std::uint8_t>(id & 0xFF);
    return b;
}

constexpr auto kShortLimit = 300ms;
constexpr auto kNeverReached = 60s;
constexpr std::size_t kLargestDatagram = 65507;  // the most UDP carries over IPv4

struct Row {
    const char* what;
    Script script;
    bool online;
    bool atOnce;  // decided before the limit
};

TEST(DnsClient, JudgesWhatTheServerSends) {
    const Row rows[] = {
        {"the answer", [](const Bytes& q) { return std::vector<Send>{{Answer(q)}}; }, true, true},
        {"wrong identifier, then the right one",
         [](const Bytes& q) {
             return std::vector<Send>{{OtherId(Answer(q))}, {Answer(q)}};
         },
         true, true},
        {"a truncated header alone",
         [](const Bytes& q) { return std::vector<Send>{{Bytes(q.begin(), q.begin() + 11)}}; },
         false, false},
        {"a truncated header, then the answer",
         [](const Bytes& q) {
             Bytes cut = Answer(q);
             cut.resize(7);
             return std::vector<Send>{{cut}, {Answer(q)}};
         },
         true, true},
        {"shorter than the query",
         [](const Bytes& q) {
             Bytes r = Answer(q);
             r.pop_back();
             return std::vector<Send>{{r}};
         },
         false, true},
        {"response code 2", [](const Bytes& q) { return std::vector<Send>{{Answer(q, 2)}}; }, false,
         true},
        {"our own query echoed, alone", [](const Bytes& q) { return std::vector<Send>{{q}}; },
         false, false},
        {"the answer from another port, alone",
         [](const Bytes& q) {
             return std::vector<Send>{{Answer(q), true}};
         },
         false, false},
        {"another port's answer, then the server's",
         [](const Bytes& q) {
             return std::vector<Send>{{Answer(q, 2), true}, {Answer(q)}};
         },
         true, true},
        {"zero bytes, then the answer",
         [](const Bytes& q) {
             return std::vector<Send>{{Bytes{}}, {Answer(q)}};
         },
         true, true},
        {"the largest datagram, answering",
         [](const Bytes& q) { return std::vector<Send>{{Answer(q, 0, kLargestDatagram)}}; }, true,
         true},
        {"the largest datagram of junk, then the answer",
         [](const Bytes& q) {
             return std::vector<Send>{{OtherId(Answer(q, 0, kLargestDatagram))}, {Answer(q)}};
         },
         true, true},
        {"a flood of stale replies, then the answer",
         [](const Bytes& q) {
             std::vector<Send> s;
             for (int i = 1; i <= 200; ++i) s.push_back({OtherId(Answer(q), i)});
             s.push_back({Answer(q)});
             return s;
         },
         true, true},
        {"random bytes, then the answer",
         [](const Bytes& q) {
             std::mt19937 rng(2024);
             std::vector<Send> s;
             for (int i = 0; i < 100; ++i) {
                 Bytes junk(rng() % 700);
                 for (auto& b : junk) b = static_cast<std::uint8_t>(rng());
                 if (junk.size() >= 2) junk[0] = static_cast<std::uint8_t>(q[0] ^ 0x5A);
                 s.push_back({junk});
             }
             s.push_back({Answer(q)});
             return s;
         },
         true, true},
        {"silence", [](const Bytes&) { return std::vector<Send>{}; }, false, false},
    };
    for (const Row& r : rows) {
        // A row decided by what comes gets a limit no busy machine reaches, so the
        // answer, not the clock, ends it; a row left to the limit gets a short one.
        const auto limit = r.atOnce ? kNeverReached : kShortLimit;
        FakeServer server(r.script);
        const DnsClient client(server.endpoint(), 0x4D2);
        const auto start = Clock::now();
        EXPECT_EQ(client.Resolves("known.test", limit), r.online) << r.what;
        const auto took = Clock::now() - start;
        if (r.atOnce) {
            EXPECT_LT(took, limit) << r.what;
        } else {
            EXPECT_GE(took, limit) << r.what;
        }
    }
}

TEST(DnsClient, AnswersFromDnsmasq) {
    Dnsmasq dns;
    const DnsClient client(dns.endpoint(), RandomQueryId());
    EXPECT_TRUE(client.Resolves(Dnsmasq::kKnownName, kNeverReached));
    const auto start = Clock::now();
    EXPECT_FALSE(client.Resolves(Dnsmasq::kMissingName, kNeverReached));  // "no such name"
    EXPECT_LT(Clock::now() - start, kNeverReached);                       // decided by the answer
    EXPECT_TRUE(client.Resolves("KNOWN.test.", kNeverReached));           // names have no case
}

class FakeNetwork : public platform::NetworkState {
public:
    bool up = true;
    int asked = 0;
    bool connectionUp() override {
        ++asked;
        return up;
    }
};

TEST(OnlineCheck, AsksTheSystemFirstThenTheServer) {
    Dnsmasq dns;
    FakeNetwork network;
    const pages::OnlineCheck known(network, dns.endpoint(), Dnsmasq::kKnownName, kNeverReached);
    const pages::OnlineCheck missing(network, dns.endpoint(), Dnsmasq::kMissingName, kNeverReached);
    EXPECT_TRUE(known.IsOnline());
    EXPECT_FALSE(missing.IsOnline());
    EXPECT_LE(known.client().id(), 65534);
    network.up = false;
    EXPECT_FALSE(known.IsOnline());
    EXPECT_EQ(network.asked, 3);
    // No connection: nothing is sent at all.
    FakeServer silent([](const Bytes&) { return std::vector<Send>{}; });
    const pages::OnlineCheck unsent(network, silent.endpoint(), "known.test", 300ms);
    EXPECT_FALSE(unsent.IsOnline());
    network.up = true;
    EXPECT_FALSE(unsent.IsOnline());  // now it is sent, and never answered
    silent.Finish();  // the query waits in the server's socket however late its thread runs
    ASSERT_EQ(silent.queries().size(), 1u);
    EXPECT_EQ(silent.queries()[0].first, BuildQuery(unsent.client().id(), "known.test"));
}

TEST(OnlineCheck, ServerThatNeverAnswersIsOfflineWithinTheLimit) {
    Socket silent;  // bound, never replies
    FakeNetwork network;
    const pages::OnlineCheck check(network,
                                   *ParseEndpoint("127.0.0.1:" + std::to_string(silent.port())),
                                   "known.test", 1500ms);
    const auto start = Clock::now();
    EXPECT_FALSE(check.IsOnline());
    EXPECT_GE(Clock::now() - start, 1500ms);
}

TEST(OnlineCheck, ClosedServerPortIsOfflineAtOnce) {
    // The port stays ours, so nothing else can take it meanwhile; being connected
    // elsewhere, the socket takes no datagram from the client, and the system
    // answers it "port unreachable" as for a closed port.
    const Socket held;
    const Socket elsewhere;
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    peer.sin_port = htons(elsewhere.port());
    ASSERT_EQ(::connect(held.fd(), reinterpret_cast<sockaddr*>(&peer), sizeof peer), 0);
    FakeNetwork network;
    const pages::OnlineCheck check(network,
                                   *ParseEndpoint("127.0.0.1:" + std::to_string(held.port())),
                                   "known.test", kNeverReached);
    const auto start = Clock::now();
    EXPECT_FALSE(check.IsOnline());
    EXPECT_LT(Clock::now() - start, kNeverReached);  // decided by the refusal
}

TEST(OnlineCheck, SameIdentifierForEveryQueryFromAFreshPort) {
    FakeServer server([](const Bytes& q) { return std::vector<Send>{{Answer(q)}}; }, 2);
    FakeNetwork network;
    const pages::OnlineCheck check(network, server.endpoint(), "known.test", kNeverReached);
    EXPECT_TRUE(check.IsOnline());
    EXPECT_TRUE(check.IsOnline());
    ASSERT_EQ(server.queries().size(), 2u);
    for (const auto& sent : server.queries())
        EXPECT_EQ(sent.first, BuildQuery(check.client().id(), "known.test"));
    EXPECT_NE(server.queries()[0].second, server.queries()[1].second);
}

}  // namespace
}  // namespace dorvane::dns
