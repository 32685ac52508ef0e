// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/resources.h"

#include <gtest/gtest.h>

#include <string>

#include "base/error.h"

using namespace dorvane::platform;

TEST(Resources, FindsNamesAndTypesInAnyLetterCase) {
    auto hello = LoadResource("HTML", "HTML_HELLO");
    EXPECT_EQ(std::string(hello.begin(), hello.end()), "Hello\n");
    EXPECT_EQ(LoadResource("rcdata", "three_bytes").size(), 3u);
    EXPECT_TRUE(HasResource("Html", "Html_Hello"));
}

TEST(Resources, KeepsTypesApart) {
    EXPECT_EQ(LoadResource("GIF", "html_hello").size(), 3u);
    EXPECT_EQ(LoadResource("HTML", "html_hello").size(), 6u);
    EXPECT_FALSE(HasResource("BITMAP", "html_hello"));
}

TEST(Resources, MissingNameRaisesErrorNamingIt) {
    try {
        LoadResource("GIF", "gifNowhere");
        FAIL() << "no error";
    } catch (const dorvane::base::Error& e) {
        EXPECT_NE(std::string(e.what()).find("gifNowhere"), std::string::npos) << e.what();
    }
}

TEST(Resources, ListsNamesOfOneTypeInListOrder) {
    EXPECT_EQ(ResourceNames("html"), std::vector<std::string>{"html_hello"});
    EXPECT_TRUE(ResourceNames("BITMAP").empty());
}
