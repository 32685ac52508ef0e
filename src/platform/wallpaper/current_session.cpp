// SPDX-License-Identifier: GPL-3.0-or-later
// The snapshot of the real session: environment, session bus names, and the
// command lines of this user's processes on this display.
#include <sys/stat.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <algorithm>

#include "platform/wallpaper/desktop_detect.h"

namespace dorvane::platform::wallpaper {
namespace {

constexpr int kBusTimeoutMs = 2000;
constexpr qint64 kCommandLineLimit = 64 * 1024;
constexpr qint64 kEnvironmentLimit = 256 * 1024;

// Without an address libdbus may try to autolaunch a bus through X11; asking
// only when a bus is announced keeps detection free of side effects.
bool SessionBusAnnounced() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFile::exists(runtime + QStringLiteral("/bus"));
}

QStringList CommandLine(const QByteArray& file) {
    QFile cmdline(QString::fromLocal8Bit(file));
    if (!cmdline.open(QIODevice::ReadOnly)) return {};
    const QByteArray line = cmdline.read(kCommandLineLimit);
    QStringList argv;
    for (const QByteArray& arg : line.split('\0')) argv << QString::fromLocal8Bit(arg);
    if (!argv.isEmpty() && argv.back().isEmpty()) argv.removeLast();
    return argv;
}

// The value of DISPLAY in a process's environment block (NUL-separated entries),
// read in chunks; empty when none stands in its first kEnvironmentLimit bytes.
QByteArray DisplayOf(QIODevice& source) {
    QByteArray block;
    qsizetype entry = 0;  // start of the first entry not yet looked at
    for (;;) {
        char chunk[4096];
        const qint64 room = std::min<qint64>(sizeof chunk, kEnvironmentLimit - block.size());
        const qint64 got = room > 0 ? source.read(chunk, room) : -1;
        const bool atEnd = got == 0;
        if (got > 0)
            block.append(chunk, got);
        else if (atEnd)
            block.append('\0');  // the last entry may lack its NUL
        else
            return {};  // unreadable, or cut at the limit where a value could be cut short
        for (qsizetype end; (end = block.indexOf('\0', entry)) >= 0; entry = end + 1) {
            const QByteArrayView variable(block.constData() + entry, end - entry);
            if (variable.startsWith("DISPLAY=")) return variable.sliced(8).toByteArray();
        }
        if (atEnd) return {};
    }
}

// "host:number" without the screen, and the local "unix:" host written as none.
QString DisplayKey(const QByteArray& display) {
    QString key = QString::fromLocal8Bit(display);
    const qsizetype colon = key.lastIndexOf(QLatin1Char(':'));
    if (colon < 0) return key;
    QString host = key.left(colon);
    if (host == QLatin1String("unix")) host.clear();
    return host + QLatin1Char(':') + key.mid(colon + 1).section(QLatin1Char('.'), 0, 0);
}

}  // namespace

QStringList SessionBusNames() {
    if (!SessionBusAnnounced()) return {};
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return {};
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListNames"));
    const QDBusMessage reply = bus.call(call, QDBus::Block, kBusTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
    return reply.arguments().front().toStringList();
}

QList<QStringList> ProcessesOnDisplay(const QString& procRoot, uint uid, const QString& display) {
    QList<QStringList> processes;
    const QString ours = DisplayKey(display.toLocal8Bit());
    const QStringList pids = QDir(procRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pid : pids) {
        if (pid.isEmpty() || !pid.front().isDigit()) continue;
        const QByteArray dir = QFile::encodeName(procRoot + QLatin1Char('/') + pid);
        struct stat info {};
        if (::stat(dir.constData(), &info) != 0 || info.st_uid != uid) continue;
        const QStringList argv = CommandLine(dir + "/cmdline");
        if (argv.isEmpty()) continue;
        QFile environment(QString::fromLocal8Bit(dir + "/environ"));
        if (!environment.open(QIODevice::ReadOnly)) continue;  // not ours to read, so not ours
        if (DisplayKey(DisplayOf(environment)) == ours) processes << argv;
    }
    return processes;
}

QList<QStringList> OwnProcesses() {
    return ProcessesOnDisplay(QStringLiteral("/proc"), ::getuid(), qEnvironmentVariable("DISPLAY"));
}

SessionInfo CurrentSession() {
    return {QProcessEnvironment::systemEnvironment(), SessionBusNames(), OwnProcesses()};
}

}  // namespace dorvane::platform::wallpaper
