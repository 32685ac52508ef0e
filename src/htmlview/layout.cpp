// SPDX-License-Identifier: GPL-3.0-or-later
#include "htmlview/layout.h"

#include <algorithm>

#include "htmlview/layout_engine.h"

namespace dorvane::htmlview {

bool ParseColor(const QString& text, QRgb* out) {
    static const QHash<QString, QRgb> kNames = {
        {"black", 0x000000},  {"white", 0xFFFFFF},   {"red", 0xFF0000},    {"green", 0x008000},
        {"blue", 0x0000FF},   {"navy", 0x000080},    {"gray", 0x808080},   {"grey", 0x808080},
        {"silver", 0xC0C0C0}, {"maroon", 0x800000},  {"yellow", 0xFFFF00}, {"orange", 0xFFA500},
        {"purple", 0x800080}, {"teal", 0x008080},    {"olive", 0x808000},  {"lime", 0x00FF00},
        {"aqua", 0x00FFFF},   {"fuchsia", 0xFF00FF},
    };
    QString t = text.trimmed().toLower();
    if (t.isEmpty()) return false;
    if (auto it = kNames.constFind(t); it != kNames.cend()) {
        *out = 0xFF000000u | *it;
        return true;
    }
    if (t.startsWith(u'#')) t.remove(0, 1);
    if (t.size() == 3) t = QString(t[0]) + t[0] + t[1] + t[1] + t[2] + t[2];
    if (t.size() != 6) return false;
    bool ok = false;
    const uint v = t.toUInt(&ok, 16);
    if (!ok) return false;
    *out = 0xFF000000u | v;
    return true;
}

bool ParseLength(const QString& text, int* out) {
    QString t = text.trimmed();
    const bool percent = t.endsWith(u'%');
    if (percent) t.chop(1);
    if (t.endsWith(QLatin1String("px"))) t.chop(2);
    bool ok = false;
    double v = t.toDouble(&ok);
    if (!ok || v < 0 || v != v) return false;
    v = std::min(v, 1e6);
    *out = percent ? -std::min(1000, int(v + 0.5)) : int(v + 0.5);
    if (percent && *out == 0) *out = 0;
    return true;
}

std::vector<QString> NumberObjects(Document& doc, int* backgroundImage,
                                   std::vector<int>* controls) {
    std::vector<QString> images;
    *backgroundImage = -1;
    controls->clear();
    const int body = doc.body();
    const QString bg = doc[body].attr("background");
    if (body > 0 && !bg.isEmpty()) {
        *backgroundImage = 0;
        images.push_back(bg);
    }
    for (std::size_t i = 0; i < doc.nodes.size(); ++i) {
        Node& n = doc.nodes[i];
        if (n.tag == Tag::Img) {
            n.object = static_cast<int>(images.size());
            images.push_back(n.attr("src"));
        } else if (n.tag == Tag::Input && controls->size() < kMaxFormControls) {
            const QString type = n.attr("type").trimmed().toLower();
            if (type.isEmpty() || type == QLatin1String("text") ||
                type == QLatin1String("checkbox")) {
                n.object = static_cast<int>(controls->size());
                controls->push_back(static_cast<int>(i));
            }
        }
    }
    return images;
}

LayoutResult LayoutDocument(const Document& doc, int width, const LayoutOptions& options,
                            std::shared_ptr<FontCache> fonts) {
    LayoutResult out;
    out.fonts = fonts ? std::move(fonts) : std::make_shared<FontCache>();
    detail::Engine engine(doc, options, *out.fonts, out);
    engine.run(std::clamp(width, 0, 100000));
    return out;
}

namespace {

// The character index in a run nearest to x.
int CharAt(const LayoutResult& layout, const Fragment& f, float x) {
    const QFontMetricsF& fm = (*layout.fonts)[f.font].metrics;
    const int n = int(f.text.size());
    float prev = 0;
    for (int i = 1; i <= n; ++i) {
        const float w = float(fm.horizontalAdvance(f.text.left(i)));
        if (float(f.rect.left()) + (prev + w) / 2 >= x) return i - 1;
        prev = w;
    }
    return n;
}

}  // namespace

int TextPositionAt(const LayoutResult& layout, QPointF p, bool nearest) {
    const Fragment* best = nullptr;
    double bestDistance = 1e30;
    for (const Fragment& f : layout.fragments) {
        if (f.kind != Fragment::Kind::Text) continue;
        const QRectF& r = f.rect;
        if (r.contains(p)) {
            best = &f;
            break;
        }
        if (!nearest) continue;
        const double dy = p.y() < r.top()      ? r.top() - p.y()
                          : p.y() > r.bottom() ? p.y() - r.bottom()
                                               : 0;
        const double dx = p.x() < r.left()    ? r.left() - p.x()
                          : p.x() > r.right() ? p.x() - r.right()
                                              : 0;
        const double d = dy * 100000 + dx;
        if (d < bestDistance) {
            bestDistance = d;
            best = &f;
        }
    }
    if (!best) return -1;
    return best->textPos + CharAt(layout, *best, float(p.x()));
}

QString TextBetween(const LayoutResult& layout, int from, int to) {
    if (from > to) std::swap(from, to);
    QString out;
    float lastBaseline = -1;
    for (const Fragment& f : layout.fragments) {
        if (f.kind != Fragment::Kind::Text) continue;
        const int end = f.textPos + int(f.text.size());
        if (end <= from || f.textPos >= to) continue;
        if (lastBaseline >= 0 && f.baseline != lastBaseline) out += u'\n';
        lastBaseline = f.baseline;
        const int a = std::max(from, f.textPos) - f.textPos;
        const int b = std::min(to, end) - f.textPos;
        out += f.text.mid(a, b - a);
    }
    out.replace(QChar(0xA0), u' ');
    return out;
}

}  // namespace dorvane::htmlview
