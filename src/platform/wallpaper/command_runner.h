// SPDX-License-Identifier: GPL-3.0-or-later
// Every external command of the wallpaper layer runs through here, with a time limit.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace dorvane::wallpaper {

class CommandRunner {
public:
    virtual ~CommandRunner() = default;
    struct Result {
        int exitCode = -1;
        bool started = false;
        bool timedOut = false;
        QByteArray out, err;
    };
    virtual Result run(const QString& program, const QStringList& args, int timeoutMs) = 0;
};

// Runs the program with no standard input; at the time limit it is killed (SIGKILL).
class ProcessRunner : public CommandRunner {
public:
    Result run(const QString& program, const QStringList& args, int timeoutMs) override;
};

}  // namespace dorvane::wallpaper
