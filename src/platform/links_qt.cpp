// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDesktopServices>
#include <QUrl>

#include "platform/links.h"

namespace dorvane::platform {

void DesktopLinkOpener::open(const std::string& target) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(target), QUrl::TolerantMode));
}

}  // namespace dorvane::platform
