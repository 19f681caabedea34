// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/speech/SpokenPhrase.h"

#include "support/FakeSpeechEngine.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>
#include <optional>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

struct MarkupCase
{
    const char* name;
    QString markup;
    std::optional<QString> spoken;
};

class SpokenPhraseTest : public testing::TestWithParam<MarkupCase>
{
};

const MarkupCase kMarkupCases[] = {
    {"EnglishEntry", u"house~0kuća"_s, u"house"_s},
    {"SerbianEntry", u"kuća~1house"_s, std::nullopt},
    {"HelpLabel", u"Alt+Z~2izgovor"_s, std::nullopt},
    {"NoHead", u"Nema prevoda"_s, std::nullopt},
    {"EmptyRedHead", u"~0kuća"_s, std::nullopt},
    {"SeveralWordsKeepInnerBlanks", u"in  the house~0u kući"_s, u"in  the house"_s},
    {"BlanksAtBothEndsTrimmed", u"  big house \t~0velika kuća"_s, u"big house"_s},
    {"ControlCharactersTrimmed", u"\x01\rhouse\x7f~0kuća"_s, u"house"_s},
    {"RedBlanksGiveAnEmptyText", u"   ~0kuća"_s, u""_s},
    {"NonAsciiHead", u"café~0kafić"_s, u"café"_s},
    {"ShellCharactersAreOnlyText", u"$(rm -rf ~); `id`~0x"_s, u"$(rm -rf ~); `id`"_s},
};

INSTANTIATE_TEST_SUITE_P(Lines, SpokenPhraseTest, testing::ValuesIn(kMarkupCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

TEST_P(SpokenPhraseTest, SpeaksTheTrimmedRedHeadOnly)
{
    EXPECT_EQ(phraseToSpeak(formatMarkup(GetParam().markup)), GetParam().spoken);
}

TEST_P(SpokenPhraseTest, EngineHearsExactlyThatText)
{
    test::FakeSpeechEngine engine;
    if (const auto text = phraseToSpeak(formatMarkup(GetParam().markup)))
        engine.speak(*text);
    const QStringList expected =
        GetParam().spoken ? QStringList{*GetParam().spoken} : QStringList{};
    EXPECT_EQ(engine.spoken, expected);
}

TEST(SpokenPhrase, HeadLongerThanTheLineStopsAtItsEnd)
{
    EXPECT_EQ(phraseToSpeak({u"house "_s, 40, HeadColour::Red}), u"house"_s);
}

TEST(SpokenPhrase, OnlyTheHeadIsTaken)
{
    EXPECT_EQ(phraseToSpeak({u"household"_s, 5, HeadColour::Red}), u"house"_s);
}

TEST(SpokenPhrase, NegativeHeadLengthIsNoHead)
{
    EXPECT_EQ(phraseToSpeak({u"house"_s, -1, HeadColour::Red}), std::nullopt);
}

TEST(SpokenPhrase, BlueAndBlackHeadsOfAnyLengthAreSilent)
{
    EXPECT_EQ(phraseToSpeak({u"kuća house"_s, 4, HeadColour::Blue}), std::nullopt);
    EXPECT_EQ(phraseToSpeak({u"Alt+Z izgovor"_s, 5, HeadColour::Black}), std::nullopt);
}
