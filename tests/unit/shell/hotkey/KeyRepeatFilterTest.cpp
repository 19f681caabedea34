// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/hotkey/KeyRepeatFilter.h"

#include <gtest/gtest.h>

namespace kvel {
namespace {

TEST(KeyRepeatFilter, EachPressAfterARealReleaseCounts)
{
    KeyRepeatFilter filter;
    EXPECT_TRUE(filter.press(100));
    filter.release(180);
    EXPECT_TRUE(filter.press(400));
    filter.release(470);
    EXPECT_TRUE(filter.press(900));
}

// Detectable auto-repeat: presses keep coming without releases.
TEST(KeyRepeatFilter, PressesWithoutReleaseAreRepeats)
{
    KeyRepeatFilter filter;
    EXPECT_TRUE(filter.press(100));
    EXPECT_FALSE(filter.press(600));
    EXPECT_FALSE(filter.press(630));
    filter.release(650);
    EXPECT_TRUE(filter.press(2000));
}

// Classic auto-repeat: a release and a press with the same timestamp.
TEST(KeyRepeatFilter, ReleaseAndPressAtOneTimeAreARepeat)
{
    KeyRepeatFilter filter;
    EXPECT_TRUE(filter.press(100));
    filter.release(600);
    EXPECT_FALSE(filter.press(600));
    filter.release(630);
    EXPECT_FALSE(filter.press(630));
    filter.release(700);
    EXPECT_TRUE(filter.press(1500));
}

// A grab moved to another key while the old one was held: the new key's
// first press is fresh.
TEST(KeyRepeatFilter, ResetForgetsAHeldKey)
{
    KeyRepeatFilter filter;
    EXPECT_TRUE(filter.press(100));
    filter.reset();
    EXPECT_TRUE(filter.press(200));
}

} // namespace
} // namespace kvel
