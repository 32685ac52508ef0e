// SPDX-License-Identifier: GPL-3.0-or-later
// The sway backend against an i3-ipc server of the test's own.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <cstring>
#include <optional>
#include <thread>
#include <vector>

#include "../temp_folder.h"
#include "base/error.h"
#include "fake_runner.h"
#include "nasty_paths.h"
#include "platform/wallpaper/backends.h"
#include "platform/wallpaper/sway_ipc.h"
#include "platform/wallpaper/sway_socket.h"

namespace dorvane::platform::wallpaper {
namespace {

// The tokens of a sway command line as sway reads them: blanks separate, double
// quotes group, a backslash takes the next character as it is.
QStringList SwayTokens(const QString& line) {
    QStringList tokens;
    QString token;
    bool quoted = false, any = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == '\\' && i + 1 < line.size()) {
            token += line[++i];
            any = true;
        } else if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any) tokens << token;
            token.clear();
            any = false;
        } else {
            token += c;
            any = true;
        }
    }
    if (any) tokens << token;
    return tokens;
}

QByteArray Reply(const QByteArray& json, std::uint32_t type = 0) {
    return sway::EncodeMessage(type, json);
}

// Accepts one connection, reads one message, then answers with `answer`; with no
// answer it waits until the client gives up, and with `close` it hangs up.
class FakeSway {
public:
    FakeSway(std::optional<QByteArray> answer, const std::filesystem::path& socketPath)
        : FakeSway(std::vector{std::move(answer)}, socketPath) {}
    // One connection for each answer, in turn.
    FakeSway(std::vector<std::optional<QByteArray>> answers,
             const std::filesystem::path& socketPath)
        : answers_(std::move(answers)), listener_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener_, 8) != 0)
            throw std::runtime_error("cannot listen");
        thread_ = std::thread([this] { serve(); });
    }
    ~FakeSway() {
        thread_.join();
        ::close(listener_);
    }
    QByteArray received() const { return received_.empty() ? QByteArray() : received_.back(); }
    const std::vector<QByteArray>& receivedAll() const { return received_; }

private:
    void serve() {
        for (const std::optional<QByteArray>& answer : answers_)
            if (!serveOne(answer)) return;
    }
    bool serveOne(const std::optional<QByteArray>& answer_) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, 20000) != 1) return false;
        const int fd = ::accept(listener_, nullptr, nullptr);
        QByteArray in;
        char buffer[4096];
        for (;;) {
            const auto header = sway::DecodeHeader(in);
            if (header && in.size() >= sway::kHeaderSize + qsizetype(header->length)) break;
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            in.append(buffer, n);
        }
        received_.push_back(in.mid(sway::kHeaderSize));
        if (answer_) {
            ::send(fd, answer_->constData(), static_cast<std::size_t>(answer_->size()),
                   MSG_NOSIGNAL);
        } else {
            while (::recv(fd, buffer, sizeof buffer, 0) > 0) {
            }
        }
        ::close(fd);
        return true;
    }
    std::vector<std::optional<QByteArray>> answers_;
    int listener_;
    std::vector<QByteArray> received_;
    std::thread thread_;
};

class Sway : public ::testing::Test {
protected:
    void SetUp() override { qputenv("SWAYSOCK", QByteArray::fromStdString(socket_.string())); }
    void TearDown() override { qunsetenv("SWAYSOCK"); }
    TempFolder folder_;
    std::filesystem::path socket_ = folder_ / "sway-ipc.sock";
    FakeRunner runner_;
};

TEST_F(Sway, SendsTheBackgroundCommand_AndTrustsOnlyAllSuccesses) {
    const QString path = "/home/ann/My walls/it's \"here\";x,y/back\\slash ü #1 100%.bmp";
    struct Case {
        QByteArray answer;
        bool ok;
        const char* detail;
    } cases[] = {
        {Reply(R"([{"success": true}])"), true, ""},
        {Reply(R"([{"success": false, "parse_error": true, "error": "Invalid syntax"}])"), false,
         "sway: Invalid syntax"},
        {Reply(R"([{"success": true}, {"success": false}])"), false, "refused"},
        {Reply(R"({"success": true})"), false, "made no sense"},
        {Reply(R"([{"success": true}])", 4), false, "not a command reply"},
        {"HTTP/1.1 400 Bad Request\r\n\r\n", false, "not a command reply"},
        {QByteArray("i3-ipc\xff\xff\xff\x7f\0\0\0\0", 14), false, "too long"},
        {Reply(R"([{"success": true}])").left(20), false, "closed the connection"},
    };
    for (const Case& c : cases) {
        FakeSway server(c.answer, socket_);
        const Outcome outcome = MakeSwayBackend(runner_)->apply(path);
        EXPECT_EQ(outcome.ok, c.ok) << outcome.detail.toStdString();
        EXPECT_TRUE(outcome.detail.contains(c.detail)) << outcome.detail.toStdString();
        EXPECT_EQ(SwayTokens(QString::fromUtf8(server.received())),
                  (QStringList{"output", "*", "bg", path, "stretch"}));
        std::filesystem::remove(socket_);
    }
    for (const QString& nasty : NastyPaths()) {
        FakeSway server(Reply(R"([{"success": true}])"), socket_);
        EXPECT_TRUE(MakeSwayBackend(runner_)->apply(nasty).ok);
        EXPECT_EQ(SwayTokens(QString::fromUtf8(server.received())),
                  (QStringList{"output", "*", "bg", nasty, "stretch"}));
        std::filesystem::remove(socket_);
    }
}

TEST_F(Sway, EachOutputGetsItsOwnPicture_AndUnknownOutputsAreNamedNotSent) {
    const QByteArray outputs =
        R"([{"name": "HEADLESS-1", "rect": {"width": 640}}, {"name": "DP-2"}])";
    const QByteArray ok = Reply(R"([{"success": true}])");
    FakeSway server({Reply(outputs, sway::kGetOutputs), ok, ok}, socket_);
    const QString a = "/home/ann/walls/it's \"a\".bmp", b = "/tmp/b.bmp";
    const Outcome outcome =
        MakeSwayBackend(runner_)->applyEach({{"DP-2", QRect(640, 0, 320, 240), a},
                                             {"GONE-3", QRect(0, 0, 10, 10), "/tmp/c.bmp"},
                                             {"HEADLESS-1", QRect(0, 0, 640, 360), b}});
    ASSERT_TRUE(outcome.ok) << outcome.detail.toStdString();
    EXPECT_TRUE(outcome.detail.contains("no output GONE-3")) << outcome.detail.toStdString();
    const std::vector<QByteArray>& sent = server.receivedAll();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(SwayTokens(QString::fromUtf8(sent[1])),
              (QStringList{"output", "DP-2", "bg", a, "stretch"}));
    EXPECT_EQ(SwayTokens(QString::fromUtf8(sent[2])),
              (QStringList{"output", "HEADLESS-1", "bg", b, "stretch"}));
    std::filesystem::remove(socket_);
    // Only unknown outputs: nothing is set, and that is a failure.
    FakeSway none(Reply(outputs, sway::kGetOutputs), socket_);
    const Outcome unplugged =
        MakeSwayBackend(runner_)->applyEach({{"GONE-3", QRect(0, 0, 10, 10), "/tmp/c.bmp"}});
    EXPECT_FALSE(unplugged.ok);
    EXPECT_TRUE(unplugged.detail.contains("no output GONE-3")) << unplugged.detail.toStdString();
}

TEST_F(Sway, GivesUpOnASilentServerAtTheTimeLimit) {
    FakeSway server(std::nullopt, socket_);
    QElapsedTimer clock;
    clock.start();
    EXPECT_THROW(sway::RunCommand(QByteArray::fromStdString(socket_.string()), "nop", 200),
                 base::Error);
    EXPECT_GE(clock.elapsed(), 200);
}

TEST_F(Sway, FailsWithoutASocket_OrForAPathTheCommandCannotCarry) {
    const Outcome noServer = MakeSwayBackend(runner_)->apply("/tmp/wall.bmp");
    EXPECT_FALSE(noServer.ok);
    EXPECT_TRUE(noServer.detail.contains("cannot connect")) << noServer.detail.toStdString();
    qunsetenv("SWAYSOCK");
    const Outcome noSocket = MakeSwayBackend(runner_)->apply("/tmp/wall.bmp");
    EXPECT_FALSE(noSocket.ok);
    EXPECT_TRUE(noSocket.detail.contains("SWAYSOCK")) << noSocket.detail.toStdString();
    EXPECT_FALSE(MakeSwayBackend(runner_)->apply("/tmp/two\nlines.bmp").ok);
}

}  // namespace
}  // namespace dorvane::platform::wallpaper
