// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/FirstEntry.h"

#include "support/ContentFromText.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

BalloonContent shown(const QStringList& lines)
{
    return test::contentFromText(lines);
}

} // namespace

TEST(FirstEntry, RememberedPhraseFollowsTheSearchLanguage)
{
    const BalloonContent english = shown({u" house ~0kuća"_s, u"cat~0mačka"_s});
    const BalloonContent serbian = shown({u"kuća~1house"_s});
    EXPECT_EQ(rememberedPhrase(english, SearchLanguage::Both), u"house"_s);
    EXPECT_EQ(rememberedPhrase(english, SearchLanguage::English), u"house"_s);
    EXPECT_EQ(rememberedPhrase(english, SearchLanguage::Serbian), u""_s);
    EXPECT_EQ(rememberedPhrase(serbian, SearchLanguage::English), u""_s);
    EXPECT_EQ(rememberedPhrase(serbian, SearchLanguage::Serbian), u"kuća"_s);
    EXPECT_EQ(rememberedPhrase(shown({u"Sorry, the phrase was not found"_s}), SearchLanguage::Both),
              u""_s);
    EXPECT_EQ(rememberedPhrase(shown({u"Program:~2Kvel"_s}), SearchLanguage::Both), u""_s);
    EXPECT_EQ(rememberedPhrase({}, SearchLanguage::Both), u""_s);
}

TEST(FirstEntry, CopyTakesTheFirstEntrysMeaningsWhole)
{
    // Shown cut (a very long meaning), copied whole; the next entry is not taken in.
    const QList<DictionaryEntry> entries = {
        {u"house"_s, HeadLanguage::English, u"kuća; dom;…"_s, u"kuća; dom; zgrada; crkva"_s},
        {u"housewife"_s, HeadLanguage::English, u"domaćica"_s, u"domaćica"_s},
    };
    const BalloonContent lines{ContentKind::Results, ImageId::SeveralHits, {}, entries};
    EXPECT_EQ(firstEntryText(lines, CopyMode::Phrase), u"house"_s);
    EXPECT_EQ(firstEntryText(lines, CopyMode::Meanings), u"kuća; dom; zgrada; crkva"_s);
    EXPECT_EQ(firstEntryText(lines, CopyMode::PhraseAndMeanings),
              u"house\tkuća; dom; zgrada; crkva"_s);
}

TEST(FirstEntry, NothingToCopyWithoutAnEntryHead)
{
    EXPECT_FALSE(
        firstEntryText(shown({u"Sorry, the phrase was not found this time"_s}), CopyMode::Phrase));
    EXPECT_FALSE(firstEntryText(shown({u"~1meaning without head"_s}), CopyMode::Meanings));
    EXPECT_FALSE(firstEntryText({}, CopyMode::Phrase));
    EXPECT_FALSE(firstEntryShown(shown({u"Alt+L~2 Changing the language"_s})));
    EXPECT_TRUE(firstEntryShown(shown({u"kuća~1house"_s})));
}

TEST(FirstEntry, LineBreaksAndBlanksAtTheEndsAreLeftOut)
{
    const BalloonContent broken{
        ContentKind::Results,
        ImageId::OneHit,
        {},
        {{u" line\nbreak"_s, HeadLanguage::English, u"two\r\nlines \t"_s, u"two\r\nlines \t"_s}}};
    EXPECT_EQ(firstEntryText(broken, CopyMode::PhraseAndMeanings), u"linebreak\ttwolines"_s);
    EXPECT_EQ(rememberedPhrase(broken, SearchLanguage::English), u"linebreak"_s);
}

TEST(FirstEntry, TildesInTheDictionarysTextAreJustText)
{
    const BalloonContent odd = shown({u"apple~0A~0B~1C jabuka"_s});
    EXPECT_EQ(firstEntryText(odd, CopyMode::PhraseAndMeanings), u"apple\tA~0B~1C jabuka"_s);
    EXPECT_EQ(rememberedPhrase(odd, SearchLanguage::English), u"apple"_s);
}
