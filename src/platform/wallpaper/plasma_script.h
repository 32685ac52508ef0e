// SPDX-License-Identifier: GPL-3.0-or-later
// The script that KDE Plasma's shell runs to set the wallpaper of every desktop.
#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <utility>

namespace dorvane::platform::wallpaper {

// The file's URL (percent-encoded) as a JavaScript string literal, quotes included.
QString PlasmaUrlLiteral(const QString& absPath);

// Sets the image plugin, stretched, on every desktop and prints how many it set.
// The fill mode goes to another value and back before the image is set: Plasma
// reloads a picture only when its settings change, and the file name stays the
// same from one wallpaper to the next.
QString PlasmaWallpaperScript(const QString& absPath);

// Plasma numbers its screens (primary first) and not by connector, so each desktop
// gets the picture made for the rectangle its screen has now. The script prints how
// many desktops it set, then the rectangles ("x,y,w,h") of the screens it had no
// picture for, each on its own line.
QString PlasmaMonitorScript(const QList<std::pair<QRect, QString>>& pictures);

}  // namespace dorvane::platform::wallpaper
