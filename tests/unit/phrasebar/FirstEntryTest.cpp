// SPDX-License-Identifier: GPL-2.0-or-later
#include "phrasebar/FirstEntry.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

QList<FormattedLine> shown(const QStringList& markup)
{
    QList<FormattedLine> lines;
    for (const QString& line : markup)
        lines.append(formatMarkup(line));
    return lines;
}

} // namespace

TEST(FirstEntry, RememberedPhraseFollowsTheSearchLanguage)
{
    const QList<FormattedLine> english = shown({u" house ~0kuća"_s, u"cat~0mačka"_s});
    const QList<FormattedLine> serbian = shown({u"kuća~1house"_s});
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

TEST(FirstEntry, CopyJoinsWrappedContinuationLines)
{
    // "house  kuća; dom; ..." wrapped after "dom;", then the next entry.
    const QList<FormattedLine> lines =
        shown({u"house~0kuća; dom;"_s, u" zgrada; crkva"_s, u"housewife~0domaćica"_s});
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

TEST(FirstEntry, LineStartsEntryOnlyWithAColouredHead)
{
    const QList<FormattedLine> lines = shown({u"a~0b"_s, u" c"_s, u"d~1e"_s, u"f~2g"_s});
    EXPECT_TRUE(lineStartsEntry(lines, 0));
    EXPECT_FALSE(lineStartsEntry(lines, 1));
    EXPECT_TRUE(lineStartsEntry(lines, 2));
    EXPECT_FALSE(lineStartsEntry(lines, 3));
    EXPECT_FALSE(lineStartsEntry(lines, 4));
    EXPECT_FALSE(lineStartsEntry(lines, -1));
}
