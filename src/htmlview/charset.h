// SPDX-License-Identifier: GPL-3.0-or-later
// Turns the bytes of a page into text: the character set the page declares (meta
// charset or XML encoding) wins; otherwise a UTF-8 byte order mark; otherwise the
// view's charset setting (238 East European = Windows-1250, anything else Windows-1252).
#pragma once

#include <QByteArray>
#include <QString>

namespace dorvane::htmlview {

enum class Charset { Utf8, Latin1, Iso8859_2, Windows1250, Windows1252 };

// The charset named in the first few kilobytes of the page, if it names one we know.
bool DeclaredCharset(const QByteArray& bytes, Charset* out);
Charset CharsetForSetting(int charSet);
QString DecodeText(const QByteArray& bytes, Charset charset);
QString DecodePage(const QByteArray& bytes, int charSetSetting);

namespace tables {
extern const char16_t kIso8859_2[128];
extern const char16_t kWindows1250[128];
extern const char16_t kWindows1252[128];
}  // namespace tables

}  // namespace dorvane::htmlview
