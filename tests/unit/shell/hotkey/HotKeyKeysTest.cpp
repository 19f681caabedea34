// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/hotkey/HotKeyKeys.h"

#include <gtest/gtest.h>

// X11 headers last: their macros clash with Qt's names.
#include <X11/X.h>
#include <X11/Xlib.h>

namespace kvel {
namespace {

std::string keyName(int keyIndex)
{
    const std::optional<unsigned long> keySym = hotKeySym(keyIndex);
    return keySym ? XKeysymToString(*keySym) : "";
}

// The bar compares the delivered name with "F9".."F12" from its string table.
TEST(HotKeySym, SettingsChoicesNameTheFunctionKeys)
{
    EXPECT_EQ(keyName(0), "F9");
    EXPECT_EQ(keyName(1), "F10");
    EXPECT_EQ(keyName(2), "F11");
    EXPECT_EQ(keyName(3), "F12");
}

TEST(HotKeySym, OtherNumbersChooseNoKey)
{
    EXPECT_FALSE(hotKeySym(-1));
    EXPECT_FALSE(hotKeySym(4));
}

TEST(HotKeyModifierMasks, AltWithEveryLockCombination)
{
    const QList<unsigned> expected{Mod1Mask, Mod1Mask | LockMask, Mod1Mask | Mod2Mask,
                                   Mod1Mask | LockMask | Mod2Mask};
    EXPECT_EQ(hotKeyModifierMasks(Mod2Mask), expected);
}

TEST(HotKeyModifierMasks, WithoutNumLockOnlyCapsLockVaries)
{
    const QList<unsigned> expected{Mod1Mask, Mod1Mask | LockMask};
    EXPECT_EQ(hotKeyModifierMasks(0), expected);
}

// A keyboard map may put Num_Lock on an unusual modifier; each state is
// grabbed once all the same.
TEST(HotKeyModifierMasks, NumLockSharingAltsBitAddsNothing)
{
    const QList<unsigned> expected{Mod1Mask, Mod1Mask | LockMask};
    EXPECT_EQ(hotKeyModifierMasks(Mod1Mask), expected);
}

TEST(HotKeyModifierMasks, NumLockOnAnotherModifier)
{
    const QList<unsigned> expected{Mod1Mask, Mod1Mask | LockMask, Mod1Mask | Mod4Mask,
                                   Mod1Mask | LockMask | Mod4Mask};
    EXPECT_EQ(hotKeyModifierMasks(Mod4Mask), expected);
}

} // namespace
} // namespace kvel
