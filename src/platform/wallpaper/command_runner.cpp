// SPDX-License-Identifier: GPL-3.0-or-later
// ProcessRunner on QProcess: waits in short slices so that the captured output
// stays bounded while the program runs.
#include "platform/wallpaper/command_runner.h"

#include <signal.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>

namespace dorvane::platform::wallpaper {
namespace {

constexpr int kSliceMs = 20;

void Append(QByteArray& to, const QByteArray& more) {
    const qsizetype room = ProcessRunner::kOutputLimit - to.size();
    if (room > 0) to.append(more.left(room));
}

void Drain(QProcess& process, CommandRunner::Result& result) {
    Append(result.out, process.readAllStandardOutput());
    Append(result.err, process.readAllStandardError());
}

void KillGroup(QProcess& process) {
    const qint64 pid = process.processId();
    if (pid > 0) ::kill(static_cast<pid_t>(-pid), SIGKILL);
    process.kill();
}

}  // namespace

CommandRunner::Result ProcessRunner::run(const QString& program, const QStringList& args,
                                         int timeoutMs) {
    Result result;
    QProcess process;
    process.setProcessEnvironment(env_);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    process.start(program, args, QIODevice::ReadOnly);
    if (!process.waitForStarted(std::max(timeoutMs, 1000))) return result;
    result.started = true;
    QElapsedTimer clock;
    clock.start();
    while (process.state() != QProcess::NotRunning) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0) {
            result.timedOut = true;
            KillGroup(process);
            process.waitForFinished(1000);
            break;
        }
        process.waitForFinished(static_cast<int>(std::min<qint64>(left, kSliceMs)));
        Drain(process, result);
    }
    Drain(process, result);
    if (!result.timedOut && process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    return result;
}

QString PreferredProgram(const QString& absolutePath) {
    if (QFileInfo(absolutePath).isExecutable()) return absolutePath;
    return QFileInfo(absolutePath).fileName();
}

}  // namespace dorvane::platform::wallpaper
