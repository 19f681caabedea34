// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/keyboard/CommandLetters.h"

#include <gtest/gtest.h>
#include <string_view>

using namespace kvel;

namespace {

// A group from its three letter rows, on the evdev codes of the US rows.
GroupLetters rows(std::string_view top, std::string_view middle, std::string_view bottom)
{
    GroupLetters group;
    const std::pair<quint32, std::string_view> kRows[] = {{24, top}, {38, middle}, {52, bottom}};
    for (const auto& [firstCode, letters] : kRows) {
        for (size_t i = 0; i < letters.size(); ++i)
            group.insert(firstCode + quint32(i), letters[i]);
    }
    return group;
}

} // namespace

TEST(CommandLetters, TheFirstLatinGroupDecidesAndTheUsPositionOnlyWithoutOne)
{
    const GroupLetters cyrillic; // Serbian Cyrillic types no Latin letter
    const GroupLetters us = rows("qwertyuiop", "asdfghjkl", "zxcvbnm");
    const GroupLetters qwertz = rows("qwertzuiop", "asdfghjkl", "yxcvbnm");
    const GroupLetters azerty = rows("azertyuiop", "qsdfghjklm", "wxcvbn");
    const GroupLetters fewLetters = {{25, 'x'}, {26, 'k'}};
    struct Case
    {
        LayoutLetters layouts;
        quint32 keyCode;
        std::optional<char> letter;
    };
    const Case cases[] = {
        {{}, 46, 'l'},                   // no layouts known: the US position
        {{cyrillic}, 46, 'l'},           // no Latin layout: the US position
        {{cyrillic}, 47, std::nullopt},  // the US ';' key
        {{cyrillic}, 111, std::nullopt}, // an arrow
        {{cyrillic, us}, 56, 'b'},       // rs,us
        {{cyrillic, us}, 29, 'y'},
        {{cyrillic, qwertz}, 29, 'z'}, // Serbian Latin is QWERTZ
        {{cyrillic, qwertz}, 52, 'y'},
        {{cyrillic, azerty, us}, 24, 'a'}, // the first Latin group wins
        {{cyrillic, azerty, us}, 47, 'm'},
        {{cyrillic, azerty, us}, 58, std::nullopt}, // AZERTY's ',' where US has m
        {{fewLetters, us}, 25, 'w'},                // a few letters do not make a Latin group
        {{us, cyrillic}, 46, 'l'},
        {{cyrillic}, 0xffffffff, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(commandLetter(c.layouts, c.keyCode), c.letter) << c.keyCode;
}
