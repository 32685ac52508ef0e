// SPDX-License-Identifier: GPL-3.0-or-later
// Through xdg-open where there is one, whose exit status says whether a program
// took the link (3: no program for it, 4: the program failed to start); the
// process is watched from the event loop, never waited for.
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include "platform/links.h"

namespace dorvane::platform {

void DesktopLinkOpener::open(const std::string& target) {
    const QUrl url(QString::fromStdString(target), QUrl::TolerantMode);
    // A copy: the opener may be gone by the time the process ends.
    const FailureHandler report = failureHandler();
    const auto failed = [report, target] {
        if (report) report(target);
    };
    const QString opener = QStandardPaths::findExecutable("xdg-open");
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(url)) QTimer::singleShot(0, failed);
        return;
    }
    // Deletes itself when it ends. Without a parent on purpose: xdg-open may wait
    // for the browser it started, and a process object destroyed at exit would
    // kill it (and warn); left alone, it outlives the program as a browser should.
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed](int code, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || code != 0) failed();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, failed](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart) return;
                         failed();
                         process->deleteLater();
                     });
    process->start(opener, {url.toString(QUrl::FullyEncoded)});
}

}  // namespace dorvane::platform
