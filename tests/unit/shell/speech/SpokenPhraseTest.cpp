// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/speech/SpokenPhrase.h"

#include "support/ContentFromText.h"
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

DictionaryEntry english(const QString& headword, const QString& meanings = QString())
{
    return {headword, HeadLanguage::English, meanings, meanings};
}

} // namespace

TEST_P(SpokenPhraseTest, SpeaksTheTrimmedEnglishHeadwordOnly)
{
    EXPECT_EQ(phraseToSpeak(test::contentFromText({GetParam().markup})), GetParam().spoken);
}

TEST_P(SpokenPhraseTest, EngineHearsExactlyThatText)
{
    test::FakeSpeechEngine engine;
    if (const auto text = phraseToSpeak(test::contentFromText({GetParam().markup})))
        engine.speak(*text);
    const QStringList expected =
        GetParam().spoken ? QStringList{*GetParam().spoken} : QStringList{};
    EXPECT_EQ(engine.spoken, expected);
}

TEST(SpokenPhrase, BlanksAfterTheHeadwordStopAtItsEnd)
{
    EXPECT_EQ(phraseToSpeak({ContentKind::Results, ImageId::OneHit, {}, {english(u"house "_s)}}),
              u"house"_s);
}

TEST(SpokenPhrase, OnlyTheHeadwordIsTaken)
{
    EXPECT_EQ(phraseToSpeak(
                  {ContentKind::Results, ImageId::OneHit, {}, {english(u"house"_s, u"hold"_s)}}),
              u"house"_s);
}

TEST(SpokenPhrase, NoEntryIsNoPhrase)
{
    EXPECT_EQ(phraseToSpeak({ContentKind::Results, ImageId::SeveralHits, {}, {}}), std::nullopt);
}

TEST(SpokenPhrase, SerbianEntriesAndHelpTextsOfAnyLengthAreSilent)
{
    const DictionaryEntry serbian{u"kuća house"_s, HeadLanguage::Serbian, {}, {}};
    EXPECT_EQ(phraseToSpeak({ContentKind::Results, ImageId::OneHit, {}, {serbian}}), std::nullopt);
    BalloonContent help{ContentKind::KeyboardList, ImageId::Keyboard, u"Keys"_s};
    help.helpLines = {{u"Alt+Z"_s, u" izgovor"_s}};
    EXPECT_EQ(phraseToSpeak(help), std::nullopt);
}

TEST(SpokenPhrase, OnlyTheFirstEntryCounts)
{
    const DictionaryEntry serbian{u"kuća"_s, HeadLanguage::Serbian, u"house"_s, u"house"_s};
    EXPECT_EQ(phraseToSpeak(
                  {ContentKind::Results, ImageId::SeveralHits, {}, {serbian, english(u"house"_s)}}),
              std::nullopt);
}
