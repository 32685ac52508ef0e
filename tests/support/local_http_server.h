// SPDX-License-Identifier: GPL-3.0-or-later
// A tiny HTTP/1.1 server on 127.0.0.1 for tests and benchmarks, one thread per
// connection. A handler answers each path with a page, a redirect, an error, an
// endless body, or nothing at all. Stops (and ends every connection) when it goes.
#pragma once

#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LocalHttpServer {
public:
    struct Response {
        enum class Kind { Whole, Endless, Silent };
        Kind kind = Kind::Whole;
        int status = 200;
        std::string contentType = "text/html";
        std::string body;
        std::string location;           // for redirects
        std::string encoding;           // a Content-Encoding header, when not empty
        long long declaredLength = -1;  // a Content-Length other than the body's

        static Response Page(std::string body, std::string type = "text/html") {
            Response r;
            r.body = std::move(body);
            r.contentType = std::move(type);
            return r;
        }
        static Response Status(int status, std::string body = {}) {
            Response r = Page(std::move(body));
            r.status = status;
            return r;
        }
        static Response Redirect(std::string location) {
            Response r = Status(302);
            r.location = std::move(location);
            return r;
        }
        static Response Of(Kind kind) {
            Response r;
            r.kind = kind;
            return r;
        }
    };
    using Handler = std::function<Response(const std::string& path)>;

    explicit LocalHttpServer(Handler handler) : handler_(std::move(handler)) {
        listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listen_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(listen_, 64);
        socklen_t len = sizeof a;
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
        stop_ = ::eventfd(0, EFD_CLOEXEC);
        acceptor_ = std::thread([this] { AcceptLoop(); });
    }
    ~LocalHttpServer() {
        const std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(stop_, &one, sizeof one);
        acceptor_.join();
        for (std::thread& t : connections_) t.join();
        ::close(listen_);
        ::close(stop_);
    }
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }
    std::vector<std::string> paths() const {
        std::lock_guard lock(mutex_);
        return paths_;
    }
    // Connections whose endless body ended because the client hung up.
    int endlessClosedByClient() const { return endlessClosed_; }

private:
    // Waits for fd to be ready (events) or for the server to stop (false).
    bool Wait(int fd, short events) const {
        pollfd p[2] = {{fd, events, 0}, {stop_, POLLIN, 0}};
        for (;;) {
            if (::poll(p, 2, -1) < 0) continue;
            if (p[1].revents) return false;
            if (p[0].revents) return true;
        }
    }

    void AcceptLoop() {
        while (Wait(listen_, POLLIN)) {
            const int fd = ::accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) connections_.emplace_back([this, fd] { Serve(fd); });
        }
    }

    bool SendAll(int fd, const std::string& data) const {
        std::size_t at = 0;
        while (at < data.size()) {
            if (!Wait(fd, POLLOUT)) return false;
            const ssize_t n = ::send(fd, data.data() + at, data.size() - at, MSG_NOSIGNAL);
            if (n <= 0) return false;
            at += static_cast<std::size_t>(n);
        }
        return true;
    }

    // Reads one request; its path, or "" when the client has gone or the server stops.
    std::string ReadRequest(int fd) const {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
            if (!Wait(fd, POLLIN)) return {};
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0) return {};
            request.append(buffer, static_cast<std::size_t>(n));
        }
        const std::size_t from = request.find(' ') + 1;
        return request.substr(from, request.find(' ', from) - from);
    }

    // Answers requests on the connection (kept alive) until the client hangs up.
    void Serve(int fd) {
        for (std::string path = ReadRequest(fd); !path.empty(); path = ReadRequest(fd)) {
            {
                std::lock_guard lock(mutex_);
                paths_.push_back(path);
            }
            const Response r = handler_(path);
            if (r.kind == Response::Kind::Silent) {
                Wait(stop_, POLLIN);
                break;
            }
            std::string head = "HTTP/1.1 " + std::to_string(r.status) +
                               " X\r\nContent-Type: " + r.contentType + "\r\n";
            if (!r.location.empty()) head += "Location: " + r.location + "\r\n";
            if (!r.encoding.empty()) head += "Content-Encoding: " + r.encoding + "\r\n";
            if (r.kind == Response::Kind::Endless) {
                // No length: the body lasts until the connection ends, which it never does.
                if (SendAll(fd, head + "Connection: close\r\n\r\n")) {
                    const std::string chunk(64 * 1024, 'x');
                    while (SendAll(fd, chunk))
                        std::this_thread::sleep_for(std::chrono::milliseconds(1));
                    if (!Stopping()) ++endlessClosed_;
                }
                break;
            }
            const long long length =
                r.declaredLength >= 0 ? r.declaredLength : static_cast<long long>(r.body.size());
            if (!SendAll(
                    fd, head + "Content-Length: " + std::to_string(length) + "\r\n\r\n" + r.body) ||
                r.declaredLength >= 0)
                break;
        }
        ::close(fd);
    }

    bool Stopping() const {
        pollfd p{stop_, POLLIN, 0};
        return ::poll(&p, 1, 0) > 0;
    }

    Handler handler_;
    int listen_ = -1;
    int stop_ = -1;
    std::uint16_t port_ = 0;
    std::thread acceptor_;
    std::vector<std::thread> connections_;  // only the acceptor adds, before the join
    mutable std::mutex mutex_;
    std::vector<std::string> paths_;
    std::atomic<int> endlessClosed_{0};
};
