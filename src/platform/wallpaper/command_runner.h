// SPDX-License-Identifier: GPL-3.0-or-later
// The one way the wallpaper layer runs an external program: no input, a time
// limit after which the program and everything it started are killed, and
// bounded captured output. A desktop tool that hangs can never hang us.
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace dorvane::platform::wallpaper {

class CommandRunner {
public:
    virtual ~CommandRunner() = default;
    struct Result {
        int exitCode = -1;  // -1 unless the program ended normally
        bool started = false;
        bool timedOut = false;
        QByteArray out, err;
    };
    virtual Result run(const QString& program, const QStringList& args, int timeoutMs) = 0;
};

class ProcessRunner : public CommandRunner {
public:
    // Keeps at most this many bytes of each output stream; the rest is read and dropped.
    static constexpr qsizetype kOutputLimit = 1 << 20;

    ProcessRunner() : env_(QProcessEnvironment::systemEnvironment()) {}
    explicit ProcessRunner(QProcessEnvironment env) : env_(std::move(env)) {}

    // The program runs in a process group of its own, with stdin on /dev/null. At the
    // limit the whole group gets SIGKILL (some tools, such as pcmanfm's "desktop
    // manager is not active" dialog, ignore SIGTERM).
    Result run(const QString& program, const QStringList& args, int timeoutMs) override;

private:
    QProcessEnvironment env_;
};

// "program" alone when the program is not at the preferred absolute path, so that
// the search path decides; used to prefer the system's tool over a shadowing one.
QString PreferredProgram(const QString& absolutePath);

}  // namespace dorvane::platform::wallpaper
