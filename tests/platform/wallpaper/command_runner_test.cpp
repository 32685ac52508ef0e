// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wallpaper/command_runner.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

namespace dorvane::platform::wallpaper {
namespace {

QStringList Sh(const char* script) {
    return {QStringLiteral("-c"), QString::fromUtf8(script)};
}

TEST(ProcessRunner, ReportsWhatTheProgramDid) {
    struct Row {
        const char* what;
        QString program;
        QStringList args;
        bool started, timedOut;
        int exitCode;
        QByteArray out, err;
    };
    const Row rows[] = {
        {"output and status", "sh", Sh("echo out; echo err >&2; exit 3"), true, false, 3, "out\n",
         "err\n"},
        {"stdin is closed, so cat ends at once", "cat", {}, true, false, 0, "", ""},
        {"arguments pass untouched",
         "printf",
         {"%s|", "a b", "'\"\\"},
         true,
         false,
         0,
         "a b|'\"\\|",
         ""},
        {"killed by a signal", "sh", Sh("kill -9 $$"), true, false, -1, "", ""},
        {"no such program", "/no/such/program", {}, false, false, -1, "", ""},
    };
    ProcessRunner runner;
    for (const Row& row : rows) {
        const CommandRunner::Result r = runner.run(row.program, row.args, 5000);
        EXPECT_EQ(r.started, row.started) << row.what;
        EXPECT_EQ(r.timedOut, row.timedOut) << row.what;
        EXPECT_EQ(r.exitCode, row.exitCode) << row.what;
        EXPECT_EQ(r.out, row.out) << row.what;
        EXPECT_EQ(r.err, row.err) << row.what;
    }
}

// A process is gone once it no longer exists or is a zombie waiting for its parent.
bool Gone(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return true;
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2, 1) == "Z";
}

TEST(ProcessRunner, KillsAHangingProgramAndItsChildrenAtTheLimit) {
    ProcessRunner runner;
    QElapsedTimer clock;
    clock.start();
    // The shell ignores SIGTERM and leaves a child that would keep running.
    const CommandRunner::Result r =
        runner.run("sh", Sh("trap '' TERM; sleep 30 & echo $!; wait"), 300);
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_TRUE(r.started);
    EXPECT_TRUE(r.timedOut);
    EXPECT_EQ(r.exitCode, -1);
    const qint64 child = r.out.trimmed().toLongLong();
    ASSERT_GT(child, 0);
    QElapsedTimer wait;
    wait.start();
    while (!Gone(child) && wait.elapsed() < 5000) QThread::msleep(10);
    EXPECT_TRUE(Gone(child));
    if (!Gone(child)) ::kill(static_cast<pid_t>(child), SIGKILL);
}

TEST(ProcessRunner, KeepsOutputBounded) {
    ProcessRunner runner;
    const CommandRunner::Result r = runner.run("head", {"-c", "5000000", "/dev/zero"}, 10000);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.size(), ProcessRunner::kOutputLimit);
}

}  // namespace
}  // namespace dorvane::platform::wallpaper
