// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wallpaper/quoting.h"

#include <gtest/gtest.h>

#include <QUrl>

#include "nasty_paths.h"

namespace dorvane::platform::wallpaper {
namespace {

TEST(Quoting, NastyPathsSurviveEveryForm) {
    for (const QString& path : NastyPaths()) {
        const QString uri = FileUri(path);
        EXPECT_TRUE(uri.startsWith(QLatin1String("file:///"))) << uri.toStdString();
        EXPECT_EQ(QUrl(uri).toLocalFile(), path) << uri.toStdString();
        // GIO and the desktops want these percent-encoded.
        for (const char* raw : {" ", "#", "\"", "\\", "\t", "?", "ü"})
            EXPECT_FALSE(uri.contains(QString::fromUtf8(raw)))
                << raw << " in " << uri.toStdString();
        for (const QString& value : {path, uri}) {
            const QString literal = GVariantString(value);
            EXPECT_EQ(ParseGVariantString(literal.toUtf8()), value) << literal.toStdString();
        }
    }
}

TEST(Quoting, ReadsWhatGSettingsPrints) {
    const std::pair<const char*, std::optional<QString>> rows[] = {
        {"'file:///a.bmp'\n", QStringLiteral("file:///a.bmp")},
        {"\"it's\"", QStringLiteral("it's")},            // double quotes when ' is inside
        {"'a\\\\b\\'c'", QStringLiteral("a\\b'c")},      // escaped backslash and quote
        {"'tab\\there'", QStringLiteral("tab\there")},   // \t
        {"'\\u00fc\\U0001f600'", QStringLiteral("ü😀")},  // \u and \U
        {"'b\xc3\xbcro'", QStringLiteral("büro")},       // printable UTF-8 as it is
        {"''", QString()},
        {"'open", std::nullopt},
        {"'a' 'b'", std::nullopt},
        {"uint32 3", std::nullopt},
        {"'\\u12'", std::nullopt},
        {"'\\", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(ParseGVariantString(QByteArray(text)), expected) << text;
}

}  // namespace
}  // namespace dorvane::platform::wallpaper
