// SPDX-License-Identifier: GPL-3.0-or-later
// htmlview_demo FILE [--width N] [--png OUT.png]
// Shows an HTML file in the view, or with --png renders its whole height (at most
// 16384 pixels) at width N (default 385) into a PNG and exits, without a display.
// Images come from the program's resources first, then from beside the file.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTextStream>
#include <cstdio>

#include "htmlview/html_view.h"
#include "platform/resources.h"

using dorvane::htmlview::HtmlView;

namespace {

struct Arguments {
    QString file;
    int width = 385;
    QString png;
};

bool ParseArguments(int argc, char** argv, Arguments* a) {
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--width") && i + 1 < argc) {
            a->width = QString::fromLocal8Bit(argv[++i]).toInt();
        } else if (arg == QLatin1String("--png") && i + 1 < argc) {
            a->png = QString::fromLocal8Bit(argv[++i]);
        } else if (a->file.isEmpty() && !arg.startsWith(QLatin1String("--"))) {
            a->file = arg;
        } else {
            return false;
        }
    }
    return !a->file.isEmpty() && a->width > 0 && a->width <= 16384;
}

QByteArray FromResources(const QString& name) {
    const std::string n = name.toStdString();
    for (const char* type : {"GIF", "BITMAP"})
        if (dorvane::platform::HasResource(type, n)) {
            const auto bytes = dorvane::platform::LoadResource(type, n);
            return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
        }
    return {};
}

QByteArray BesideFile(const QDir& dir, const QString& name) {
    const QString base = QFileInfo(name).fileName();  // never leave the file's folder
    const QStringList entries = dir.entryList(QDir::Files);
    for (const QString& suffix :
         {QString(), QStringLiteral(".gif"), QStringLiteral(".bmp"), QStringLiteral(".png")})
        for (const QString& e : entries)
            if (e.compare(base + suffix, Qt::CaseInsensitive) == 0) {
                QFile f(dir.filePath(e));
                if (f.open(QIODevice::ReadOnly)) return f.read(64 * 1024 * 1024);
            }
    return {};
}

int RenderPng(HtmlView& view, const Arguments& a) {
    const int height = std::clamp(view.documentHeight(), 1, 16384);
    view.resize(a.width, height);
    QCoreApplication::processEvents();
    QImage image(a.width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    view.renderDocument(p, QRect(0, 0, a.width, height));
    p.end();
    if (!image.save(a.png, "PNG")) {
        std::fprintf(stderr, "htmlview_demo: cannot write %s\n", qPrintable(a.png));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments a;
    if (!ParseArguments(argc, argv, &a)) {
        std::fprintf(stderr, "usage: htmlview_demo FILE [--width N] [--png OUT.png]\n");
        return 2;
    }
    if (!a.png.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFile file(a.file);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "htmlview_demo: cannot open %s\n", qPrintable(a.file));
        return 1;
    }
    const QDir dir = QFileInfo(a.file).absoluteDir();
    HtmlView view;
    view.OnImageRequest = [&dir](HtmlView&, const QString& name) {
        QByteArray bytes = FromResources(name);
        return bytes.isEmpty() ? BesideFile(dir, name) : bytes;
    };
    view.OnHotSpotClick = [](HtmlView&, const QString& target, bool& handled) {
        QTextStream(stdout) << "link: " << target << Qt::endl;
        handled = true;
    };
    view.OnImageClick = [](HtmlView& v, int image, Qt::MouseButton, Qt::KeyboardModifiers, QPoint) {
        QTextStream(stdout) << "image: " << v.image(image).source << Qt::endl;
    };
    if (!a.png.isEmpty()) {
        view.setAttribute(Qt::WA_DontShowOnScreen);
    } else {
        view.setScrollBars(dorvane::htmlview::ScrollBars::Vertical);
    }
    view.resize(a.width, 412);
    view.show();  // lays the viewport out at the requested width
    view.loadFromStream(file);
    if (!a.png.isEmpty()) return RenderPng(view, a);
    view.setWindowTitle(QFileInfo(a.file).fileName());
    return app.exec();
}
