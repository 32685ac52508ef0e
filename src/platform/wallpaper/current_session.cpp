// SPDX-License-Identifier: GPL-3.0-or-later
// The snapshot of the real session: environment, session bus names, and the
// command lines of this user's processes.
#include <sys/stat.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>

#include "platform/wallpaper/desktop_detect.h"

namespace dorvane::wallpaper {
namespace {

constexpr int kBusTimeoutMs = 2000;
constexpr qint64 kCommandLineLimit = 64 * 1024;

// Without an address libdbus may try to autolaunch a bus through X11; asking
// only when a bus is announced keeps detection free of side effects.
bool SessionBusAnnounced() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFile::exists(runtime + QStringLiteral("/bus"));
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

QList<QStringList> OwnProcesses() {
    QList<QStringList> processes;
    const uid_t uid = ::getuid();
    const QStringList pids =
        QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pid : pids) {
        if (pid.isEmpty() || !pid.front().isDigit()) continue;
        const QByteArray dir = QByteArrayLiteral("/proc/") + pid.toLatin1();
        struct stat info {};
        if (::stat(dir.constData(), &info) != 0 || info.st_uid != uid) continue;
        QFile file(QString::fromLatin1(dir + "/cmdline"));
        if (!file.open(QIODevice::ReadOnly)) continue;
        const QByteArray line = file.read(kCommandLineLimit);
        QStringList argv;
        for (const QByteArray& arg : line.split('\0')) argv << QString::fromLocal8Bit(arg);
        if (!argv.isEmpty() && argv.back().isEmpty()) argv.removeLast();
        if (!argv.isEmpty()) processes << argv;
    }
    return processes;
}

SessionInfo CurrentSession() {
    return {QProcessEnvironment::systemEnvironment(), SessionBusNames(), OwnProcesses()};
}

}  // namespace dorvane::wallpaper
