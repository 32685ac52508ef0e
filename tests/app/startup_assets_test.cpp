// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures start-up prepares ahead or keeps: decoded once, yet each caller
// gets the same pixels as a fresh decode and may change its copy freely.
#include <gtest/gtest.h>

#include <QPainter>

#include "../support/qt_app.h"
#include "app/builtin_thumbnails.h"
#include "base/error.h"
#include "gallery/thumbnail.h"
#include "platform/bitmap_resource.h"
#include "platform/picture_resource.h"

using dorvane::imaging::Bitmap;
using dorvane::platform::BitmapResource;

namespace {

Bitmap FreshThumbnail(int n) {
    Bitmap picture;
    dorvane::platform::LoadPictureFromResource(picture, "picThumb" + std::to_string(n));
    return dorvane::gallery::MakeThumbnail(picture);
}

}  // namespace

TEST(BitmapResource, KeptFaceIsUnchangedByPaintingOnACopy) {
    QtApp();
    QImage first = BitmapResource("btn_1_up");
    ASSERT_FALSE(first.isNull());
    const QImage original = first.copy();
    QPainter(&first).fillRect(first.rect(), Qt::magenta);
    EXPECT_EQ(BitmapResource("btn_1_up"), original);
    EXPECT_EQ(BitmapResource("BTN_1_UP"), original);  // names in any letter case
    EXPECT_NE(BitmapResource("btn_1_down"), original);
}

TEST(BitmapResource, MissingNameFailsEveryTime) {
    QtApp();
    EXPECT_THROW(BitmapResource("no_such_face"), dorvane::base::Error);
    EXPECT_THROW(BitmapResource("no_such_face"), dorvane::base::Error);
}

TEST(BuiltInThumbnails, SameAsDecodingEachOnItsOwn) {
    dorvane::app::BuiltInThumbnails ahead;
    ahead.start(32);
    for (int n : {1, 2, 17, 32}) {
        const Bitmap thumb = ahead.get(n);
        EXPECT_EQ(thumb.width(), 95) << n;
        EXPECT_EQ(thumb, FreshThumbnail(n)) << n;
        EXPECT_EQ(ahead.get(n), thumb) << n;  // asked again: the same picture
    }
    dorvane::app::BuiltInThumbnails notStarted;
    EXPECT_EQ(notStarted.get(5), FreshThumbnail(5));
}

TEST(BuiltInThumbnails, ANumberWithoutAPictureFails) {
    dorvane::app::BuiltInThumbnails ahead;
    ahead.start(3);
    EXPECT_EQ(ahead.get(2), FreshThumbnail(2));
    EXPECT_THROW(ahead.get(0), std::exception);
    EXPECT_THROW(ahead.get(99), std::exception);
    dorvane::app::BuiltInThumbnails failing;
    failing.start(40);  // 33..40 do not exist: each fails alone, the others stand
    EXPECT_EQ(failing.get(32), FreshThumbnail(32));
    EXPECT_THROW(failing.get(33), std::exception);
}
