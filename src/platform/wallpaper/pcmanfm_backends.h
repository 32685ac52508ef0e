// SPDX-License-Identifier: GPL-3.0-or-later
// LXQt and LXDE: their desktops are drawn by pcmanfm-qt and pcmanfm, which take the
// picture on their command line and report nothing, so both backends first make
// sure that the desktop process of this user is running.
#pragma once

#include <QList>
#include <QStringList>
#include <functional>

#include "platform/desktop_wallpaper.h"
#include "platform/wallpaper/command_runner.h"

namespace dorvane::platform::wallpaper {

using ProcessLister = std::function<QList<QStringList>()>;

class LxqtBackend : public Backend {
public:
    // cacheHome: $XDG_CACHE_HOME (or ~/.cache), where pcmanfm-qt keeps its scaled copy.
    LxqtBackend(CommandRunner& runner, ProcessLister processes, QString cacheHome);

    QString name() const override { return QStringLiteral("LXQt (pcmanfm-qt)"); }
    Outcome apply(const QString& absPath) override;

    static constexpr int kTimeoutMs = 10000;

private:
    CommandRunner& runner_;
    ProcessLister processes_;
    QString cacheHome_;
};

class LxdeBackend : public Backend {
public:
    LxdeBackend(CommandRunner& runner, ProcessLister processes);

    QString name() const override { return QStringLiteral("LXDE (pcmanfm)"); }
    // Never runs pcmanfm without its desktop: it would open a modal "Desktop manager
    // is not active." dialog and wait.
    Outcome apply(const QString& absPath) override;
    // pcmanfm's "screen" mode places the picture 1:1 over the whole screen; its
    // command line reaches only the first monitor's desktop, which the outcome says.
    Outcome applySpanned(const QString& absPath) override;

    static constexpr int kTimeoutMs = 10000;

private:
    Outcome applyMode(const QString& absPath, const QString& mode);

    CommandRunner& runner_;
    ProcessLister processes_;
};

// $XDG_CACHE_HOME, or ~/.cache when it is unset or not absolute.
QString CacheHome();

}  // namespace dorvane::platform::wallpaper
