// SPDX-License-Identifier: GPL-3.0-or-later
// The process runner: QProcess, closed standard input, SIGKILL at the time limit.
#include "platform/wallpaper/command_runner.h"

#include <QProcess>

namespace dorvane::wallpaper {

CommandRunner::Result ProcessRunner::run(const QString& program, const QStringList& args,
                                         int timeoutMs) {
    Result result;
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, args);
    if (!process.waitForStarted(timeoutMs)) return result;
    result.started = true;
    if (!process.waitForFinished(timeoutMs)) {
        result.timedOut = true;
        process.kill();
        process.waitForFinished(1000);
        return result;
    }
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    if (process.exitStatus() == QProcess::NormalExit) result.exitCode = process.exitCode();
    return result;
}

}  // namespace dorvane::wallpaper
