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

QString PlasmaMonitorScript(const QList<std::pair<QRect, QString>>& pictures) {
    QString files;
    for (const auto& [g, path] : pictures)
        files += QStringLiteral("    \"%1,%2,%3,%4\": %5,\n")
                     .arg(g.x())
                     .arg(g.y())
                     .arg(g.width())
                     .arg(g.height())
                     .arg(PlasmaUrlLiteral(path));
    return QStringLiteral(
               "const files = {\n%1};\n"
               "let n = 0;\n"
               "const missed = [];\n"
               "for (const d of desktops()) {\n"
               "    if (d.screen < 0) continue;\n"
               "    const g = screenGeometry(d.screen);\n"
               "    const key = [g.x, g.y, g.width, g.height].join();\n"
               "    if (!Object.prototype.hasOwnProperty.call(files, key)) {\n"
               "        missed.push(key);\n"
               "        continue;\n"
               "    }\n"
               "    d.wallpaperPlugin = \"org.kde.image\";\n"
               "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
               "    d.writeConfig(\"FillMode\", 1);\n"
               "    d.writeConfig(\"FillMode\", 0);\n"
               "    d.writeConfig(\"Image\", files[key]);\n"
               "    n++;\n"
               "}\n"
               "print([n].concat(missed).join(\"\\n\"));\n")
        .arg(files);
}

}  // namespace dorvane::platform::wallpaper
