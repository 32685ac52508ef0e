// SPDX-License-Identifier: GPL-3.0-or-later
// File URIs and GVariant string literals.
#include "platform/wallpaper/quoting.h"

#include <QUrl>
#include <cctype>

namespace dorvane::platform::wallpaper {
namespace {

std::optional<char32_t> Hex(const QString& text, qsizetype at, int digits) {
    if (at + digits > text.size()) return std::nullopt;
    for (qsizetype i = at; i < at + digits; ++i)
        if (!isxdigit(text[i].unicode() < 0x80 ? text[i].toLatin1() : 'x')) return std::nullopt;
    bool ok = false;
    const uint value = text.mid(at, digits).toUInt(&ok, 16);
    if (!ok || value > 0x10FFFF) return std::nullopt;
    return static_cast<char32_t>(value);
}

char32_t SimpleEscape(QChar c) {
    switch (c.unicode()) {
        case 'a':
            return U'\a';
        case 'b':
            return U'\b';
        case 'f':
            return U'\f';
        case 'n':
            return U'\n';
        case 'r':
            return U'\r';
        case 't':
            return U'\t';
        case 'v':
            return U'\v';
        default:
            return c.unicode();
    }
}

}  // namespace

QString FileUri(const QString& absPath) {
    return QUrl::fromLocalFile(absPath).toString(QUrl::FullyEncoded);
}

QString GVariantString(const QString& value) {
    QString out = QStringLiteral("'");
    for (QChar c : value) {
        if (c == QLatin1Char('\'') || c == QLatin1Char('\\')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return out + QLatin1Char('\'');
}

std::optional<QString> ParseGVariantString(const QByteArray& text) {
    const QString s = QString::fromUtf8(text).trimmed();
    if (s.size() < 2) return std::nullopt;
    const QChar quote = s.front();
    if ((quote != QLatin1Char('\'') && quote != QLatin1Char('"')) || s.back() != quote)
        return std::nullopt;
    QString out;
    for (qsizetype i = 1; i < s.size() - 1; ++i) {
        QChar c = s[i];
        if (c == quote) return std::nullopt;  // a quote inside: more than one literal
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++i >= s.size() - 1) return std::nullopt;
        c = s[i];
        if (c == QLatin1Char('u') || c == QLatin1Char('U')) {
            const int digits = c == QLatin1Char('u') ? 4 : 8;
            const auto code = Hex(s, i + 1, digits);
            if (!code || i + digits >= s.size() - 1) return std::nullopt;
            out += QString::fromUcs4(&*code, 1);
            i += digits;
        } else {
            const char32_t code = SimpleEscape(c);
            out += QString::fromUcs4(&code, 1);
        }
    }
    return out;
}

}  // namespace dorvane::platform::wallpaper
