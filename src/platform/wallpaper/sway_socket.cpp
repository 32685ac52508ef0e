// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wallpaper/sway_socket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <cerrno>
#include <cstring>

#include "base/error.h"
#include "platform/wallpaper/sway_ipc.h"

namespace dorvane::platform::wallpaper::sway {
namespace {

class Socket {
public:
    Socket(const QByteArray& path, int timeoutMs)
        : timeoutMs_(timeoutMs), fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (fd_ < 0 || path.isEmpty() ||
            static_cast<std::size_t>(path.size()) >= sizeof address.sun_path)
            Fail("cannot use the socket " + path.toStdString());
        std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
        if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
            Fail("cannot connect to " + path.toStdString() + ": " + std::strerror(errno));
    }
    ~Socket() {
        if (fd_ >= 0) ::close(fd_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    void send(const QByteArray& bytes, const QElapsedTimer& clock) {
        for (qsizetype done = 0; done < bytes.size();) {
            wait(POLLOUT, clock);
            const ssize_t n = ::send(fd_, bytes.constData() + done,
                                     static_cast<std::size_t>(bytes.size() - done), MSG_NOSIGNAL);
            if (n < 0 && errno != EINTR)
                throw base::Error(std::string("send: ") + std::strerror(errno));
            if (n > 0) done += n;
        }
    }
    QByteArray receive(qsizetype count, const QElapsedTimer& clock) {
        QByteArray bytes(count, '\0');
        for (qsizetype done = 0; done < count;) {
            wait(POLLIN, clock);
            const ssize_t n =
                ::recv(fd_, bytes.data() + done, static_cast<std::size_t>(count - done), 0);
            if (n == 0) throw base::Error("sway closed the connection before it answered");
            if (n < 0 && errno != EINTR)
                throw base::Error(std::string("recv: ") + std::strerror(errno));
            if (n > 0) done += n;
        }
        return bytes;
    }

private:
    // For the constructor, whose failure the destructor would not see.
    [[noreturn]] void Fail(const std::string& why) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        throw base::Error(why);
    }
    void wait(short events, const QElapsedTimer& clock) {
        const qint64 left = timeoutMs_ - clock.elapsed();
        pollfd p{fd_, events, 0};
        if (left <= 0 || ::poll(&p, 1, static_cast<int>(left)) == 0)
            throw base::Error("no answer within " + std::to_string(timeoutMs_) + " ms");
    }
    int timeoutMs_;
    int fd_;
};

QByteArray Exchange(const QByteArray& socketPath, std::uint32_t type, const QByteArray& payload,
                    std::uint32_t maxReply, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    Socket socket(socketPath, timeoutMs);
    socket.send(sway::EncodeMessage(type, payload), clock);
    const auto header = sway::DecodeHeader(socket.receive(sway::kHeaderSize, clock));
    if (!header || header->type != type)
        throw base::Error(std::string("the reply is not ") +
                          (type == sway::kRunCommand ? "a command reply" : "an output list") +
                          " of the i3/sway protocol");
    if (header->length > maxReply)
        throw base::Error("the reply is too long (" + std::to_string(header->length) + " bytes)");
    return socket.receive(static_cast<qsizetype>(header->length), clock);
}

}  // namespace

QByteArray RunCommand(const QByteArray& socketPath, const QByteArray& command, int timeoutMs) {
    return Exchange(socketPath, sway::kRunCommand, command, sway::kMaxReplySize, timeoutMs);
}

QByteArray GetOutputs(const QByteArray& socketPath, int timeoutMs) {
    return Exchange(socketPath, sway::kGetOutputs, {}, sway::kMaxOutputsReplySize, timeoutMs);
}

}  // namespace dorvane::platform::wallpaper::sway
