// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/hotkey/HotKeyNames.h"

#include "core/strings/StringTable.h"
#include "shell/hotkey/HotKeyKeys.h"

#include <gtest/gtest.h>

// X11 headers last: their macros clash with Qt's names.
#include <X11/Xlib.h>

namespace kvel {
namespace {

// A key press is matched by the name X gives the grabbed keysym, so the table's
// name must be that name; the menus show the key with Alt in both languages.
TEST(HotKeyNames, EveryChoiceNamesTheGrabbedKey)
{
    for (int keyIndex = 0; keyIndex < 4; ++keyIndex) {
        SCOPED_TRACE(keyIndex);
        const std::optional<StringId> name = hotKeyNameId(keyIndex);
        const std::optional<StringId> caption = hotKeyCaptionId(keyIndex);
        ASSERT_TRUE(name && caption);
        const QString keyName = LoadText(*name);
        EXPECT_EQ(keyName.toStdString(), XKeysymToString(*hotKeySym(keyIndex)));
        for (InterfaceLanguage language : {InterfaceLanguage::Serbian, InterfaceLanguage::English})
            EXPECT_EQ(LoadLngText(*caption, language), QStringLiteral("Alt+") + keyName);
    }
}

TEST(HotKeyNames, OtherNumbersChooseNoKey)
{
    for (int keyIndex : {-1, 4, 1000}) {
        EXPECT_FALSE(hotKeyNameId(keyIndex)) << keyIndex;
        EXPECT_FALSE(hotKeyCaptionId(keyIndex)) << keyIndex;
    }
}

} // namespace
} // namespace kvel
