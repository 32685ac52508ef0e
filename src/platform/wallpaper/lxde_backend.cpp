// SPDX-License-Identifier: GPL-3.0-or-later
// LXDE: pcmanfm re-reads the picture whenever it is told it again.
#include "platform/wallpaper/backends.h"
#include "platform/wallpaper/desktop_detect.h"
#include "platform/wallpaper/pcmanfm_backends.h"

namespace dorvane::platform::wallpaper {

LxdeBackend::LxdeBackend(CommandRunner& runner, ProcessLister processes)
    : runner_(runner), processes_(std::move(processes)) {}

Outcome LxdeBackend::apply(const QString& absPath) {
    return applyMode(absPath, QStringLiteral("stretch"));
}

Outcome LxdeBackend::applySpanned(const QString& absPath) {
    Outcome outcome = applyMode(absPath, QStringLiteral("screen"));
    if (outcome.ok)
        outcome.detail += QStringLiteral(
            " (pcmanfm sets the first monitor's desktop; the others "
            "keep their picture)");
    return outcome;
}

Outcome LxdeBackend::applyMode(const QString& absPath, const QString& mode) {
    const QString lxde = QStringLiteral("LXDE: ");
    if (!RunsProcess(processes_(), QStringLiteral("pcmanfm"), QStringLiteral("--desktop")))
        return {false, lxde + QStringLiteral("its desktop (pcmanfm --desktop) is not running.")};
    const CommandRunner::Result result = runner_.run(
        QStringLiteral("pcmanfm"),
        {QStringLiteral("--set-wallpaper=") + absPath, QStringLiteral("--wallpaper-mode=") + mode},
        kTimeoutMs);
    if (!result.started) return {false, lxde + QStringLiteral("pcmanfm could not be run.")};
    if (result.timedOut)
        return {
            false,
            lxde +
                QStringLiteral("pcmanfm did not finish within %1 seconds.").arg(kTimeoutMs / 1000)};
    if (result.exitCode != 0)
        return {false, lxde + QStringLiteral("pcmanfm refused the picture (exit status %1).")
                                  .arg(result.exitCode)};
    return {true, lxde + QStringLiteral("set through pcmanfm")};
}

std::unique_ptr<Backend> MakeLxdeBackend(CommandRunner& runner) {
    return std::make_unique<LxdeBackend>(runner, OwnProcesses);
}

}  // namespace dorvane::platform::wallpaper
