// SPDX-License-Identifier: GPL-3.0-or-later
// XFCE: the backdrop settings of xfdesktop, written over D-Bus to xfconfd.
#pragma once

#include <QDBusConnection>
#include <QStringList>
#include <utility>

#include "platform/desktop_wallpaper.h"

namespace dorvane::platform::wallpaper {

class XfceBackend : public Backend {
public:
    // screenNames: the monitors' output names, used when no backdrop exists yet.
    XfceBackend(QDBusConnection bus, QStringList screenNames);

    QString name() const override { return QStringLiteral("XFCE (xfconf)"); }
    // Sets every monitor's and workspace's picture to absPath, stretched, then reads
    // them back; fails when xfdesktop, which draws them, is not running.
    Outcome apply(const QString& absPath) override;

    MonitorLayout monitorLayout() const override { return MonitorLayout::Each; }
    // Each monitor's pictures (one per workspace) by the monitor's output name.
    Outcome applyEach(const QList<MonitorPicture>& pictures) override;

    static constexpr int kTimeoutMs = 5000;

private:
    QVariantMap backdrops();
    void setProperty(const QString& property, const QVariant& value);
    // Sets each property to its file, stretched, reads them back, and checks that
    // xfdesktop runs to show them.
    Outcome setAll(const QList<std::pair<QString, QString>>& images);

    QDBusConnection bus_;
    QStringList screenNames_;
};

// The properties to write: every existing .../last-image and legacy .../image-path,
// or, when there is none, workspace 0 of each named monitor and of "monitor0".
QStringList XfceImageProperties(const QStringList& existing, const QStringList& screenNames);

// One monitor's properties: its existing .../monitor<NAME>/workspace<N>/last-image
// keys, or, when it has none, workspaces 0 to 3 (xfdesktop's default count).
QStringList XfceMonitorProperties(const QStringList& existing, const QString& monitorName);

}  // namespace dorvane::platform::wallpaper
