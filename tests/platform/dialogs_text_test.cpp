// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/dialogs.h"

using dorvane::platform::DisplayText;

TEST(DisplayText, TwoCarriageReturnsMakeOneEmptyLine) {
    EXPECT_EQ(DisplayText("All your unsaved work might be lost.\r\rDo you really want to exit?"),
              "All your unsaved work might be lost.\n\nDo you really want to exit?");
    EXPECT_EQ(DisplayText("a\r\nb"), "a\r\nb");
    EXPECT_EQ(DisplayText("end\r"), "end\n");
    EXPECT_EQ(DisplayText(""), "");
}
