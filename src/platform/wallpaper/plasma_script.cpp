// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wallpaper/plasma_script.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>

namespace dorvane::platform::wallpaper {

QString PlasmaUrlLiteral(const QString& absPath) {
    const QString url = QUrl::fromLocalFile(absPath).toString(QUrl::FullyEncoded);
    // A one-element JSON array, brackets removed: a correctly escaped string literal.
    const QByteArray array = QJsonDocument(QJsonArray{url}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString PlasmaWallpaperScript(const QString& absPath) {
    // FillMode: 0 stretch, 1 fit. Image last, so the one reload shows the new file.
    return QStringLiteral(
               "let n = 0;\n"
               "for (const d of desktops()) {\n"
               "    d.wallpaperPlugin = \"org.kde.image\";\n"
               "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
               "    d.writeConfig(\"FillMode\", 1);\n"
               "    d.writeConfig(\"FillMode\", 0);\n"
               "    d.writeConfig(\"Image\", %1);\n"
               "    n++;\n"
               "}\n"
               "print(n);\n")
        .arg(PlasmaUrlLiteral(absPath));
}

}  // namespace dorvane::platform::wallpaper
