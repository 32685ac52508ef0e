// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's wallpaper setting behind one small interface: one backend per
// desktop (chosen for the running session) registers a picture file as the
// stretched wallpaper and makes the desktop show its current content.
#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <memory>

#include "imaging/bitmap.h"

namespace dorvane::platform::wallpaper {

struct Outcome {
    bool ok = false;
    QString detail;  // what went wrong (or which backend did the work), for the user
};

// One monitor's own picture: the monitor's name as the window system says it, its
// rectangle in the desktop's layout (logical pixels) and the file.
struct MonitorPicture {
    QString name;
    QRect geometry;
    QString path;
    // The file's picture when the caller still holds it: a backend that needs the
    // pixels takes them from here instead of reading the file back.
    std::shared_ptr<const imaging::Bitmap> pixels = nullptr;
};

// How a desktop shows several monitors: each its own picture, or one picture
// spanning the rectangle around all of them.
enum class MonitorLayout { Each, Spanned };

class Backend {
public:
    virtual ~Backend() = default;
    virtual QString name() const = 0;
    // Registers absPath as the wallpaper, stretched, on every monitor, and makes the
    // desktop show the file's current content even if absPath was already registered.
    virtual Outcome apply(const QString& absPath) = 0;

    virtual MonitorLayout monitorLayout() const { return MonitorLayout::Spanned; }
    // Each listed monitor shows its own picture (stretched to it); the others keep
    // theirs. The detail names monitors the desktop does not know.
    virtual Outcome applyEach(const QList<MonitorPicture>& pictures);
    // absPath, the size of the rectangle around all monitors, spans them 1:1.
    virtual Outcome applySpanned(const QString& absPath) { return apply(absPath); }
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

// The running desktop's backend, with the program runner it uses.
class CurrentDesktop {
public:
    CurrentDesktop();
    ~CurrentDesktop();
    Backend& backend() { return *backend_; }

private:
    std::unique_ptr<CommandRunner> runner_;
    std::unique_ptr<Backend> backend_;
};

}  // namespace dorvane::platform::wallpaper
