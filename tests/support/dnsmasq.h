// SPDX-License-Identifier: GPL-3.0-or-later
// A real DNS server for tests and benchmarks: dnsmasq (Debian's dnsmasq-base) on
// 127.0.0.1 and a free high port, with no configuration file, no upstream servers
// and no system service. It answers "known.test" (1.2.3.4), says every other name
// under "test" does not exist, and is stopped when this object goes.
#pragma once

#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "dns/dns_client.h"

extern char** environ;

class Dnsmasq {
public:
    static constexpr const char* kKnownName = "known.test";
    static constexpr const char* kMissingName = "missing.test";

    Dnsmasq() {
        // A port that was free a moment ago may be taken meanwhile: try a few.
        // The destructor does not run when the constructor throws: stop it here.
        try {
            for (int attempt = 0; attempt < 5 && pid_ <= 0; ++attempt) Start(FreePort());
        } catch (...) {
            Stop();
            throw;
        }
        if (pid_ <= 0)
            throw std::runtime_error("dnsmasq did not start (is dnsmasq-base installed?)");
    }
    ~Dnsmasq() { Stop(); }
    Dnsmasq(const Dnsmasq&) = delete;
    Dnsmasq& operator=(const Dnsmasq&) = delete;

    std::uint16_t port() const { return port_; }
    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
    dorvane::dns::Endpoint endpoint() const { return *dorvane::dns::ParseEndpoint(address()); }

private:
    static std::uint16_t FreePort() {
        const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
        ::close(fd);
        return ntohs(a.sin_port);
    }

    void Start(std::uint16_t port) {
        port_ = port;
        std::vector<std::string> args = {"/usr/sbin/dnsmasq",
                                         "--keep-in-foreground",
                                         "--conf-file=/dev/null",
                                         "--pid-file=",
                                         "--port=" + std::to_string(port),
                                         "--listen-address=127.0.0.1",
                                         "--bind-interfaces",
                                         "--no-resolv",
                                         "--no-hosts",
                                         "--local=/test/",
                                         "--address=/known.test/1.2.3.4",
                                         "--log-facility=/dev/null"};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return;
        pid_ = pid;
        // Ready when it answers; gone when the port was taken.
        const dorvane::dns::DnsClient probe(endpoint(), 7);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            try {
                if (probe.Resolves(kKnownName, std::chrono::milliseconds(100))) return;
            } catch (const std::system_error&) {
                // Not listening yet: the port is refused. Ask again shortly.
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = 0;  // it ended: most likely the port was taken
                return;
            }
        }
        Stop();
    }

    void Stop() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = 0;
    }

    pid_t pid_ = 0;
    std::uint16_t port_ = 0;
};
