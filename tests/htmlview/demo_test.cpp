// SPDX-License-Identifier: GPL-3.0-or-later
// The demo program run as a user would: a page rendered into a PNG without a display.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

int CountPixels(const QImage& img, QRgb colour) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) == colour;
    return n;
}

QImage RunDemo(const QString& page, const QStringList& extra, int* exitCode) {
    QTemporaryDir dir;
    const QString png = dir.filePath("out.png");
    QProcess demo;
    demo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList args{QStringLiteral(DORVANE_SOURCE_DIR "/tests/htmlview/data/") + page};
    demo.start(QStringLiteral(HTMLVIEW_DEMO), args + extra + QStringList{"--png", png});
    if (!demo.waitForFinished(30000)) return {};
    *exitCode = demo.exitCode();
    return QImage(png);
}

TEST(Demo, RendersTheWholePageIntoAPng) {
    int code = -1;
    const QImage at529 = RunDemo("intro.html", {"--width", "529"}, &code);
    EXPECT_EQ(code, 0);
    ASSERT_FALSE(at529.isNull());
    EXPECT_EQ(at529.width(), 529);
    EXPECT_GT(at529.height(), 300);
    EXPECT_GT(CountPixels(at529, qRgb(255, 0, 0)), 50);        // the red phrase
    EXPECT_GT(CountPixels(at529, qRgb(204, 204, 204)), 5000);  // the grey quotation box
    const QImage at385 = RunDemo("intro.html", {}, &code);
    EXPECT_EQ(at385.width(), 385);              // the default width
    EXPECT_GT(at385.height(), at529.height());  // narrower, so more lines
}

TEST(Demo, FindsImagesBesideTheFile) {
    int code = -1;
    const QImage img = RunDemo("goals.html", {}, &code);
    ASSERT_FALSE(img.isNull());
    // The continue button is drawn near the bottom right, not left blank.
    int coloured = 0;
    for (int y = img.height() - 30; y < img.height(); ++y)
        for (int x = img.width() - 90; x < img.width(); ++x)
            coloured += qGray(img.pixel(x, y)) < 160;
    EXPECT_GT(coloured, 500);
}

TEST(Demo, RejectsBadArguments) {
    QProcess demo;
    demo.start(QStringLiteral(HTMLVIEW_DEMO), {"--width"});
    ASSERT_TRUE(demo.waitForFinished(30000));
    EXPECT_EQ(demo.exitCode(), 2);
    int code = -1;
    EXPECT_TRUE(RunDemo("no-such-file.html", {}, &code).isNull());
    EXPECT_EQ(code, 1);
}

}  // namespace
