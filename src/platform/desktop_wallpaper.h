// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's wallpaper setting behind one small interface: one backend per
// desktop (chosen for the running session) registers a picture file as the
// stretched wallpaper and makes the desktop show its current content.
#pragma once

#include <QString>
#include <memory>

namespace dorvane::platform::wallpaper {

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

enum class Desktop;
class CommandRunner;

// Where no backend is known (no graphical session, a Wayland desktop other than
// sway, Deepin): fails and says so.
class NoDesktopBackend : public Backend {
public:
    explicit NoDesktopBackend(Desktop found);
    QString name() const override { return QStringLiteral("none"); }
    Outcome apply(const QString& absPath) override;

private:
    Desktop found_;
};

// The backend for a desktop; the backends that run programs use `runner`, which
// must outlive them.
std::unique_ptr<Backend> BackendFor(Desktop desktop, CommandRunner& runner);

// Detects the running desktop and has it show absPath (written beforehand).
Outcome SetDesktopWallpaper(const QString& absPath);

}  // namespace dorvane::platform::wallpaper
