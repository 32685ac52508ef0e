// SPDX-License-Identifier: GPL-3.0-or-later
// LXQt: pcmanfm-qt keeps the stretched picture in a cache keyed by the file's
// path alone, so the same path with new content would show the old picture. The
// cache goes first, then the running desktop is told the picture again.
#include <QDir>
#include <QFile>

#include "platform/wallpaper/backends.h"
#include "platform/wallpaper/desktop_detect.h"
#include "platform/wallpaper/pcmanfm_backends.h"

namespace dorvane::platform::wallpaper {
namespace {

const QString kProgram = QStringLiteral("pcmanfm-qt");

// Removes wallpaper.cache and wallpaper.cache.info of every profile; false when one
// stays behind.
bool ClearWallpaperCache(const QString& cacheHome) {
    const QDir root(cacheHome + QStringLiteral("/pcmanfm-qt"));
    bool cleared = true;
    for (const QString& profile : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (const char* name : {"wallpaper.cache", "wallpaper.cache.info"}) {
            const QString file = root.filePath(profile + QLatin1Char('/') + QLatin1String(name));
            if (QFile::exists(file) && !QFile::remove(file)) cleared = false;
        }
    }
    return cleared;
}

}  // namespace

LxqtBackend::LxqtBackend(CommandRunner& runner, ProcessLister processes, QString cacheHome)
    : runner_(runner), processes_(std::move(processes)), cacheHome_(std::move(cacheHome)) {}

Outcome LxqtBackend::apply(const QString& absPath) {
    const QString lxqt = QStringLiteral("LXQt: ");
    if (!RunsProcess(processes_(), kProgram, QStringLiteral("--desktop")))
        return {false, lxqt + QStringLiteral("its desktop (pcmanfm-qt --desktop) is not running.")};
    if (!ClearWallpaperCache(cacheHome_))
        return {false, lxqt + QStringLiteral("the old picture could not be removed from the cache "
                                             "of pcmanfm-qt.")};
    const CommandRunner::Result result =
        runner_.run(kProgram,
                    {QStringLiteral("--set-wallpaper"), absPath, QStringLiteral("--wallpaper-mode"),
                     QStringLiteral("stretch")},
                    kTimeoutMs);
    if (!result.started) return {false, lxqt + QStringLiteral("pcmanfm-qt could not be run.")};
    if (result.timedOut)
        return {false, lxqt + QStringLiteral("pcmanfm-qt did not finish within %1 seconds.")
                                  .arg(kTimeoutMs / 1000)};
    if (result.exitCode != 0)
        return {false, lxqt + QStringLiteral("pcmanfm-qt refused the picture (exit status %1).")
                                  .arg(result.exitCode)};
    return {true, lxqt + QStringLiteral("set through pcmanfm-qt")};
}

QString CacheHome() {
    const QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (!cache.isEmpty() && QDir::isAbsolutePath(cache)) return cache;
    return QDir::homePath() + QStringLiteral("/.cache");
}

std::unique_ptr<Backend> MakeLxqtBackend(CommandRunner& runner) {
    return std::make_unique<LxqtBackend>(runner, OwnProcesses, CacheHome());
}

}  // namespace dorvane::platform::wallpaper
