// SPDX-License-Identifier: GPL-3.0-or-later
// sway: the background command over its IPC socket ($SWAYSOCK). Sending it again
// makes sway restart its background program, which reads the file anew.
#include "base/error.h"
#include "platform/wallpaper/backends.h"
#include "platform/wallpaper/sway_ipc.h"
#include "platform/wallpaper/sway_socket.h"

namespace dorvane::platform::wallpaper {
namespace {

constexpr int kTimeoutMs = 10000;

class SwayBackend : public Backend {
public:
    explicit SwayBackend(CommandRunner& runner) : runner_(runner) {}
    QString name() const override { return QStringLiteral("sway"); }

    Outcome apply(const QString& absPath) override {
        const auto command = sway::BackgroundCommand(absPath);
        if (!command) return Fail("the path holds a control character: " + absPath);
        const QByteArray socketPath = SocketPath();
        if (socketPath.isEmpty())
            return Fail("SWAYSOCK is not set and sway did not say its socket");
        try {
            const QString problem =
                sway::CommandReplyProblem(sway::RunCommand(socketPath, *command, kTimeoutMs));
            if (!problem.isEmpty()) return Fail(problem);
        } catch (const base::Error& e) {
            return Fail(QString::fromStdString(e.what()));
        }
        return {true, name()};
    }

    MonitorLayout monitorLayout() const override { return MonitorLayout::Each; }

    // sway accepts a background for an output it does not have (and passes it on to
    // swaybg), so the names are checked against its outputs first.
    Outcome applyEach(const QList<MonitorPicture>& pictures) override {
        const QByteArray socketPath = SocketPath();
        if (socketPath.isEmpty())
            return Fail("SWAYSOCK is not set and sway did not say its socket");
        QStringList set, missing;
        try {
            const QStringList outputs = sway::OutputNames(sway::GetOutputs(socketPath, kTimeoutMs));
            for (const MonitorPicture& picture : pictures) {
                if (!outputs.contains(picture.name)) {
                    missing << picture.name;
                    continue;
                }
                const auto command = sway::OutputBackgroundCommand(picture.name, picture.path);
                if (!command)
                    return Fail("a control character in " + picture.name + " or its path");
                const QString problem =
                    sway::CommandReplyProblem(sway::RunCommand(socketPath, *command, kTimeoutMs));
                if (!problem.isEmpty()) return Fail(picture.name + ": " + problem);
                set << picture.name;
            }
        } catch (const base::Error& e) {
            return Fail(QString::fromStdString(e.what()));
        }
        if (set.isEmpty()) return Fail("sway has no output " + missing.join(", "));
        QString detail = name() + ": set " + set.join(", ");
        if (!missing.isEmpty()) detail += "; sway has no output " + missing.join(", ");
        return {true, detail};
    }

private:
    QByteArray SocketPath() {
        const QByteArray socketPath = qgetenv("SWAYSOCK");
        return socketPath.isEmpty() ? AskSway() : socketPath;
    }

    Outcome Fail(const QString& why) const { return {false, name() + ": " + why}; }

    QByteArray AskSway() {
        const auto r =
            runner_.run(QStringLiteral("sway"), {QStringLiteral("--get-socketpath")}, 5000);
        return r.exitCode == 0 ? r.out.trimmed() : QByteArray();
    }

    CommandRunner& runner_;
};

}  // namespace

std::unique_ptr<Backend> MakeSwayBackend(CommandRunner& runner) {
    return std::make_unique<SwayBackend>(runner);
}

}  // namespace dorvane::platform::wallpaper
