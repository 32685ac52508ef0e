// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/catalogue.h"

#include <gtest/gtest.h>

using namespace dorvane::gallery;

namespace {

Catalogue WithUsers(std::initializer_list<const char*> users) {
    Catalogue c{{"Bryce Canyon", true, 1}, {"Devils Tower", true, 2}};
    for (int n = 3; n <= 21; ++n) c.push_back({"Builtin " + std::to_string(n), true, n});
    c.push_back({"Sunset", true, 22});
    for (const char* u : users) c.push_back({u, false, static_cast<std::int32_t>(c.size()) + 1});
    return c;
}

}  // namespace

TEST(UserPictureName, UpperCasedUpToTheFirstFullStop) {
    EXPECT_EQ(UserPictureName("beach.jpg"), "BEACH");
    EXPECT_EQ(UserPictureName("My.Beach.jpg"), "MY");
    EXPECT_EQ(UserPictureName("Photo.Jpg"), "PHOTO");
    EXPECT_EQ(UserPictureName(".jpg"), "");
    EXPECT_EQ(UserPictureName("noext"), "NOEXT");
    EXPECT_EQ(UserPictureName("caf\xC3\xA9.jpg"), "CAF\xC3\xA9");  // é stays é
}

TEST(FindPictureByName, IgnoresCaseAndTakesTheLastMatch) {
    const Catalogue c = WithUsers({"BEACH", "SUNSET"});
    EXPECT_EQ(FindPictureByName(c, "bryce canyon"), 1);
    EXPECT_EQ(FindPictureByName(c, "BRYCE CANYON"), 1);
    EXPECT_EQ(FindPictureByName(c, "Bryce Canyon"), 1);
    EXPECT_EQ(FindPictureByName(c, "Sunset"), 24);  // the user picture beats built-in 22
    EXPECT_EQ(FindPictureByName(c, "beach"), 23);
    EXPECT_EQ(FindPictureByName(c, "Nowhere"), -1);
    EXPECT_EQ(FindPictureByName(c, ""), -1);
    EXPECT_EQ(FindPictureByName({}, "Sunset"), -1);
}

TEST(FindPictureByName, LettersOutsideAsciiMatchOnlyThemselves) {
    const Catalogue c = WithUsers({"CAF\xC3\xA9"});
    EXPECT_EQ(FindPictureByName(c, "caf\xC3\xA9"), 23);
    EXPECT_EQ(FindPictureByName(c, "CAF\xC3\x89"), -1);
}

TEST(ClampPictureNumber, OutOfRangeIsClampedNeverRejected) {
    EXPECT_EQ(ClampPictureNumber(0, 32), 1);
    EXPECT_EQ(ClampPictureNumber(-5, 32), 1);
    EXPECT_EQ(ClampPictureNumber(35, 32), 32);
    EXPECT_EQ(ClampPictureNumber(7, 32), 7);
    EXPECT_EQ(ClampPictureNumber(7, 0), 1);
}

TEST(UserPictureFileName, IsTheListedFileOrElseTheNamePlusJpg) {
    EXPECT_EQ(UserPictureFileName({"MY", false, 33, "My.Beach.jpg"}), "My.Beach.jpg");
    EXPECT_EQ(UserPictureFileName({"MY", false, 33}), "MY.jpg");
}
