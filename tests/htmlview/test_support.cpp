// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <stdexcept>

namespace dorvane::htmlview::test {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "htmlview_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = qApp ? nullptr : new QApplication(argc, argv);
    (void)app;
}

std::vector<const Fragment*> Laid::of(Fragment::Kind kind) const {
    std::vector<const Fragment*> out;
    for (const Fragment& f : result.fragments)
        if (f.kind == kind) out.push_back(&f);
    return out;
}

const Fragment& Laid::image(const QString& source) const {
    for (const Fragment& f : result.fragments)
        if (f.kind == Fragment::Kind::Image && sources[static_cast<std::size_t>(f.index)] == source)
            return f;
    throw std::runtime_error("no image " + source.toStdString());
}

Laid Lay(const QString& html, int width, std::map<QString, QSize> sizes, int margin) {
    EnsureApplication();
    Laid l;
    l.doc = ParseHtml(html);
    int background = -1;
    std::vector<int> controls;
    l.sources = NumberObjects(l.doc, &background, &controls);
    static const QRegularExpression kSized("^w(\\d+)h(\\d+)$");
    LayoutOptions o;
    o.marginWidth = margin;
    o.marginHeight = margin;
    o.imageSize = [&](int i) {
        const QString& s = l.sources[static_cast<std::size_t>(i)];
        if (auto it = sizes.find(s); it != sizes.end()) return it->second;
        if (s == QLatin1String("s")) return QSize(1, 1);
        const auto m = kSized.match(s);
        return m.hasMatch() ? QSize(m.captured(1).toInt(), m.captured(2).toInt()) : QSize();
    };
    o.controlSize = [](int, const QFont&) { return QSizeF(100, 20); };
    l.result = LayoutDocument(l.doc, width, o);
    return l;
}

QByteArray PngBytes(QSize size, QColor color) {
    QImage img(size, QImage::Format_ARGB32);
    img.fill(color);
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    img.save(&b, "PNG");
    return b.data();
}

QByteArray GoalsPage() {
    QFile f(QStringLiteral(DORVANE_SOURCE_DIR "/tests/htmlview/data/goals.html"));
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("goals.html missing");
    return f.readAll();
}

}  // namespace dorvane::htmlview::test
