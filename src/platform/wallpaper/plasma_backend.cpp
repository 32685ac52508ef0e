// SPDX-License-Identifier: GPL-3.0-or-later
// KDE Plasma 5 and 6: the shell's evaluateScript call on the session bus.
#include <QDBusConnection>
#include <QDBusMessage>

#include "platform/wallpaper/backends.h"
#include "platform/wallpaper/plasma_script.h"

namespace dorvane::platform::wallpaper {
namespace {

constexpr int kCallTimeoutMs = 10000;

class PlasmaBackend : public Backend {
public:
    QString name() const override { return QStringLiteral("KDE Plasma"); }

    Outcome apply(const QString& absPath) override { return run(PlasmaWallpaperScript(absPath)); }

    MonitorLayout monitorLayout() const override { return MonitorLayout::Each; }

    Outcome applyEach(const QList<MonitorPicture>& pictures) override {
        QList<std::pair<QRect, QString>> files;
        for (const MonitorPicture& picture : pictures)
            files.append({picture.geometry, picture.path});
        return run(PlasmaMonitorScript(files));
    }

private:
    Outcome run(const QString& script) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) return Fail("no session bus (" + bus.lastError().message() + ")");
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
            QStringLiteral("org.kde.PlasmaShell"), QStringLiteral("evaluateScript"));
        call << script;
        const QDBusMessage reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
        if (reply.type() == QDBusMessage::ErrorMessage)
            return Fail("plasmashell refused the wallpaper script: " + reply.errorName() + ": " +
                        reply.errorMessage());
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
            return Fail("plasmashell gave no usable answer");
        // The script prints how many desktops it set, then the screens it skipped.
        const QStringList lines = reply.arguments().at(0).toString().trimmed().split(u'\n');
        bool number = false;
        const int desktops = lines.front().trimmed().toInt(&number);
        if (!number || desktops < 1)
            return Fail("plasmashell found no desktop to set (it answered \"" +
                        reply.arguments().at(0).toString().left(200) + "\")");
        if (lines.size() > 1)
            return {true, name() + ": no picture for the screen at " + lines.mid(1, 16).join("; ")};
        return {true, name()};
    }

    Outcome Fail(const QString& why) const { return {false, name() + ": " + why}; }
};

}  // namespace

std::unique_ptr<Backend> MakePlasmaBackend() {
    return std::make_unique<PlasmaBackend>();
}

}  // namespace dorvane::platform::wallpaper
