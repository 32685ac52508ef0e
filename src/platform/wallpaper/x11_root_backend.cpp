// SPDX-License-Identifier: GPL-3.0-or-later
// Plain X11 window managers: the root window's background.
//
// Our own xcb setter goes first: it needs no other package, reads the file once
// and confirms by reading _XROOTPMAP_ID back. feh and then hsetroot, when
// installed, are the fallbacks for what it cannot do (a pixel layout it does not
// know); each counts only when _XROOTPMAP_ID changed, since hsetroot exits 0 even
// for a file it could not read.
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <atomic>
#include <map>
#include <thread>
#include <vector>

#include "base/error.h"
#include "base/threads.h"
#include "imaging/bitmap_image.h"
#include "platform/wallpaper/backends.h"
#include "platform/wallpaper/x11_picture_file.h"
#include "platform/wallpaper/x11_root.h"

namespace dorvane::platform::wallpaper {
namespace {

constexpr int kToolTimeoutMs = 15000;
constexpr qint64 kMaxPixels = qint64{16384} * 16384;

imaging::Bitmap LoadPicture(const QString& path) {
    // The program's own files are read directly; any other BMP through Qt.
    if (std::optional<imaging::Bitmap> plain = x11::ReadPlainBmp(path.toStdString(), kMaxPixels))
        return std::move(*plain);
    QImageReader reader(path, "bmp");
    const QSize size = reader.size();
    if (!size.isValid() || qint64{size.width()} * size.height() > kMaxPixels)
        throw base::Error("cannot read " + path.toStdString() + " as a BMP picture of a sane size");
    const QImage image = reader.read();
    if (image.isNull())
        throw base::Error("cannot read " + path.toStdString() + ": " +
                          reader.errorString().toStdString());
    return imaging::FromQImage(image);
}

QString FirstLine(const QByteArray& text) {
    return QString::fromLocal8Bit(text).trimmed().section(u'\n', 0, 0);
}

class X11RootBackend : public Backend {
public:
    explicit X11RootBackend(CommandRunner& runner) : runner_(runner) {}
    QString name() const override { return QStringLiteral("X11 root window"); }

    Outcome apply(const QString& absPath) override {
        imaging::Bitmap picture;
        try {
            x11::RootPixmapId();  // the display answers
            picture = LoadPicture(absPath);
        } catch (const base::Error& e) {
            return Fail(QString::fromStdString(e.what()));
        }
        QString why;
        try {
            x11::SetRootPicture(picture);
            return {true, name()};
        } catch (const base::Error& e) {
            why = QString::fromStdString(e.what());
        }
        for (const auto& [tool, args] :
             {std::pair{QStringLiteral("feh"), QStringList{"--no-fehbg", "--bg-scale", absPath}},
              std::pair{QStringLiteral("hsetroot"), QStringList{"-fill", absPath}}}) {
            const QString toolWhy = RunTool(tool, args);
            if (toolWhy.isEmpty()) return {true, name() + " (" + tool + ")"};
            why += "; " + tool + ": " + toolWhy;
        }
        return Fail(why);
    }

    MonitorLayout monitorLayout() const override { return MonitorLayout::Each; }

    // Our own setter only: feh and hsetroot cannot leave the other monitors alone.
    Outcome applyEach(const QList<MonitorPicture>& pictures) override {
        try {
            x11::RootPixmapId();  // the display answers
            // Read side by side: each file is a monitor's worth of pixels.
            const std::size_t count = static_cast<std::size_t>(pictures.size());
            std::vector<imaging::Bitmap> loaded(count);
            std::atomic<std::size_t> next{0};
            base::RunOnThreads(
                static_cast<int>(std::min<std::size_t>(count, std::thread::hardware_concurrency())),
                [&] {
                    for (std::size_t i = next++; i < count; i = next++)
                        if (!pictures[static_cast<qsizetype>(i)].pixels)
                            loaded[i] = LoadPicture(pictures[static_cast<qsizetype>(i)].path);
                });
            std::map<std::string, const imaging::Bitmap*> byName;
            for (std::size_t i = 0; i < count; ++i) {
                const MonitorPicture& picture = pictures[static_cast<qsizetype>(i)];
                byName[picture.name.toStdString()] =
                    picture.pixels ? picture.pixels.get() : &loaded[i];
            }
            std::vector<std::string> unknown;
            x11::SetMonitorPictures(byName, &unknown);
            if (unknown.size() == byName.size())
                return Fail("the X server has no monitor " + Joined(unknown));
            if (!unknown.empty())
                return {true, name() + ": the X server has no monitor " + Joined(unknown)};
            return {true, name()};
        } catch (const base::Error& e) {
            return Fail(QString::fromStdString(e.what()));
        }
    }

private:
    static QString Joined(const std::vector<std::string>& names) {
        QStringList list;
        for (const std::string& n : names) list << QString::fromStdString(n);
        return list.join(", ");
    }

    Outcome Fail(const QString& why) const { return {false, name() + ": " + why}; }

    // Empty when the tool set a new root pixmap; otherwise why not.
    QString RunTool(const QString& tool, const QStringList& args) {
        try {
            const std::uint32_t before = x11::RootPixmapId();
            const CommandRunner::Result r = runner_.run(tool, args, kToolTimeoutMs);
            if (!r.started) return "not installed";
            if (r.timedOut)
                return "no answer within " + QString::number(kToolTimeoutMs / 1000) + " s";
            if (r.exitCode != 0)
                return "exit status " + QString::number(r.exitCode) + " " + FirstLine(r.err);
            const std::uint32_t after = x11::RootPixmapId();
            if (after == 0 || after == before)
                return "_XROOTPMAP_ID did not change " + FirstLine(r.err);
            return {};
        } catch (const base::Error& e) {
            return QString::fromStdString(e.what());
        }
    }

    CommandRunner& runner_;
};

}  // namespace

std::unique_ptr<Backend> MakeX11RootBackend(CommandRunner& runner) {
    return std::make_unique<X11RootBackend>(runner);
}

}  // namespace dorvane::platform::wallpaper
