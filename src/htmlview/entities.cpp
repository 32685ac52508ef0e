// SPDX-License-Identifier: GPL-3.0-or-later
#include "htmlview/entities.h"

#include <QHash>

namespace dorvane::htmlview {
namespace {

char32_t Named(QStringView name) {
    static const QHash<QString, char32_t> table = {
        {"nbsp", 0xA0},    {"laquo", 0xAB},   {"raquo", 0xBB},   {"copy", 0xA9},
        {"amp", '&'},      {"lt", '<'},       {"gt", '>'},       {"quot", '"'},
        {"apos", '\''},    {"reg", 0xAE},     {"trade", 0x2122}, {"middot", 0xB7},
        {"bull", 0x2022},  {"ndash", 0x2013}, {"mdash", 0x2014}, {"hellip", 0x2026},
        {"lsquo", 0x2018}, {"rsquo", 0x2019}, {"ldquo", 0x201C}, {"rdquo", 0x201D},
        {"euro", 0x20AC},  {"deg", 0xB0},     {"times", 0xD7},   {"shy", 0xAD},
    };
    return table.value(name.toString(), 0);
}

// Decodes a numeric reference body ("187" or "xBB"); 0 when invalid.
char32_t Numeric(QStringView body) {
    bool ok = false;
    const bool hex = body.startsWith(u'x') || body.startsWith(u'X');
    if (body.size() > (hex ? 7 : 8)) return 0xFFFD;  // far beyond Unicode
    const uint v = hex ? body.mid(1).toUInt(&ok, 16) : body.toUInt(&ok, 10);
    if (!ok) return 0;
    if (v == 0 || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return 0xFFFD;
    return v;
}

}  // namespace

QString ResolveEntities(const QString& text) {
    if (!text.contains(u'&')) return text;
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'&') {
            out += c;
            continue;
        }
        qsizetype end = i + 1;
        while (end < n && end - i < 12 && (text[end].isLetterOrNumber() || text[end] == u'#'))
            ++end;
        const QStringView body = QStringView(text).mid(i + 1, end - i - 1);
        char32_t code = 0;
        if (body.startsWith(u'#'))
            code = Numeric(body.mid(1));
        else if (!body.isEmpty())
            code = Named(body);
        if (code == 0) {
            out += c;
            continue;
        }
        out += QString::fromUcs4(&code, 1);
        i = (end < n && text[end] == u';') ? end : end - 1;
    }
    return out;
}

}  // namespace dorvane::htmlview
