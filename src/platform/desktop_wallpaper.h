// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's wallpaper setting behind one small interface: one backend per
// desktop (chosen for the running session) registers a picture file as the
// stretched wallpaper and makes the desktop show its current content.
#pragma once

#include <QString>

namespace dorvane::wallpaper {

struct Outcome {
    bool ok = false;
    QString detail;  // what went wrong (or which backend did the work), for the user
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual QString name() const = 0;
    // Registers absPath as the wallpaper, stretched, on every monitor, and makes the
    // desktop show the file's current content even if absPath was already registered.
    virtual Outcome apply(const QString& absPath) = 0;
};

}  // namespace dorvane::wallpaper
