// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/keyboard/KeyboardGroups.h"

#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

TEST(KeyboardGroups, FindsTheUsersLayoutForEachLanguage)
{
    struct Case
    {
        QString layouts;
        QString variants;
        std::optional<int> english;
        std::optional<int> serbian;
    };
    const Case cases[] = {
        {u"us,rs"_s, u",latin"_s, 0, 1},
        {u"rs,us"_s, u"latinyz,"_s, 1, 0},
        {u"rs"_s, u""_s, std::nullopt, std::nullopt}, // Cyrillic Serbian only
        {u"us"_s, u"dvorak"_s, std::nullopt, std::nullopt},
        {u"de,us"_s, u""_s, 1, std::nullopt}, // fewer variants than layouts
        {u"rs,rs,us"_s, u",latinunicode,"_s, 2, 1},
        {u""_s, u""_s, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(keyboardGroupFor(KeyboardTarget::English, c.layouts, c.variants), c.english)
            << c.layouts.toStdString();
        EXPECT_EQ(keyboardGroupFor(KeyboardTarget::SerbianLatin, c.layouts, c.variants), c.serbian)
            << c.layouts.toStdString();
    }
}
