// SPDX-License-Identifier: GPL-3.0-or-later
#include "htmlview/charset.h"

#include <QStringDecoder>
#include <cctype>

namespace dorvane::htmlview {
namespace {

bool CharsetFromName(QByteArray name, Charset* out) {
    name = name.trimmed().toLower();
    if (name == "utf-8" || name == "utf8") {
        *out = Charset::Utf8;
    } else if (name == "iso-8859-2" || name == "iso8859-2" || name == "latin2" ||
               name == "iso_8859-2") {
        *out = Charset::Iso8859_2;
    } else if (name == "windows-1250" || name == "cp1250") {
        *out = Charset::Windows1250;
    } else if (name == "windows-1252" || name == "cp1252") {
        *out = Charset::Windows1252;
    } else if (name == "iso-8859-1" || name == "iso8859-1" || name == "latin1" ||
               name == "us-ascii") {
        // Browsers read pages labelled Latin-1 as Windows-1252, its superset.
        *out = Charset::Windows1252;
    } else {
        return false;
    }
    return true;
}

QString DecodeSingleByte(const QByteArray& bytes, const char16_t (&high)[128]) {
    QString s(bytes.size(), Qt::Uninitialized);
    QChar* d = s.data();
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *d++ = QChar(b < 0x80 ? char16_t(b) : high[b - 0x80]);
    }
    return s;
}

}  // namespace

bool DeclaredCharset(const QByteArray& bytes, Charset* out) {
    const QByteArray head = bytes.left(4096).toLower();
    for (const char* key : {"charset=", "encoding="}) {
        qsizetype at = head.indexOf(key);
        while (at >= 0) {
            qsizetype i = at + qsizetype(qstrlen(key));
            while (i < head.size() && (head[i] == '"' || head[i] == '\'' || head[i] == ' ')) ++i;
            qsizetype end = i;
            while (end < head.size() && (std::isalnum(static_cast<unsigned char>(head[end])) ||
                                         head[end] == '-' || head[end] == '_'))
                ++end;
            if (CharsetFromName(head.mid(i, end - i), out)) return true;
            at = head.indexOf(key, end);
        }
    }
    return false;
}

Charset CharsetForSetting(int charSet) {
    return charSet == 238 ? Charset::Windows1250 : Charset::Windows1252;
}

QString DecodeText(const QByteArray& bytes, Charset charset) {
    switch (charset) {
        case Charset::Utf8: {
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            return decoder.decode(bytes);
        }
        case Charset::Latin1:
            return QString::fromLatin1(bytes);
        case Charset::Iso8859_2:
            return DecodeSingleByte(bytes, tables::kIso8859_2);
        case Charset::Windows1250:
            return DecodeSingleByte(bytes, tables::kWindows1250);
        case Charset::Windows1252:
            return DecodeSingleByte(bytes, tables::kWindows1252);
    }
    return {};
}

QString DecodePage(const QByteArray& bytes, int charSetSetting) {
    Charset c = CharsetForSetting(charSetSetting);
    if (bytes.startsWith("\xEF\xBB\xBF")) return DecodeText(bytes.mid(3), Charset::Utf8);
    DeclaredCharset(bytes, &c);
    return DecodeText(bytes, c);
}

}  // namespace dorvane::htmlview
