// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/recent/RecentPhrases.h"

#include "support/LanguageGuard.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

QStringList added(QStringList list, const QString& phrase, bool saveRecent = true)
{
    AddRecentPhrase(list, phrase, saveRecent);
    return list;
}

} // namespace

TEST(RecentPhrases, NewPhraseGoesToTheHeadInUpperCase)
{
    struct Case
    {
        QStringList list;
        QString phrase;
        QStringList result;
    };
    const Case cases[] = {
        {{}, u"house"_s, {u"HOUSE"_s}},
        {{u"A"_s, u"B"_s, u"C"_s}, u"d"_s, {u"D"_s, u"A"_s, u"B"_s, u"C"_s}},
        {{}, u"kuća č"_s, {u"KUćA č"_s}},
        {{}, u"дом"_s, {u"дом"_s}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(added(c.list, c.phrase), c.result) << c.phrase.toStdString();
}

TEST(RecentPhrases, ListedPhraseTradesPlacesWithTheHead)
{
    struct Case
    {
        QStringList list;
        QString phrase;
        QStringList result;
    };
    const Case cases[] = {
        {{u"A"_s, u"B"_s, u"C"_s}, u"c"_s, {u"C"_s, u"B"_s, u"A"_s}},
        {{u"A"_s, u"B"_s, u"C"_s, u"D"_s}, u"C"_s, {u"C"_s, u"B"_s, u"A"_s, u"D"_s}},
        {{u"A"_s, u"B"_s}, u"a"_s, {u"A"_s, u"B"_s}},
        // The listed form stays, even when the file stored it in lower case.
        {{u"cat"_s, u"House"_s}, u"HOUSE"_s, {u"House"_s, u"cat"_s}},
        // Case is ignored for letters beyond ASCII too.
        {{u"x"_s, u"šKOLA"_s}, u"ŠKOLA"_s, {u"šKOLA"_s, u"x"_s}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(added(c.list, c.phrase), c.result) << c.phrase.toStdString();
}

TEST(RecentPhrases, ElevenPhrasesKeepTheNewestTen)
{
    QStringList list;
    for (int i = 0; i < 10; ++i)
        AddRecentPhrase(list, QString::number(i), true);
    ASSERT_EQ(list.size(), kMaxRecentPhrases);
    EXPECT_EQ(list.back(), u"0"_s);

    AddRecentPhrase(list, u"new"_s, true);
    EXPECT_EQ(list.size(), kMaxRecentPhrases);
    EXPECT_EQ(list.front(), u"NEW"_s);
    EXPECT_EQ(list.back(), u"1"_s) << "the last entry drops out";
}

TEST(RecentPhrases, FullListKeepsItsSizeWhenALastEntryIsChosen)
{
    QStringList list;
    for (int i = 0; i < kMaxRecentPhrases; ++i)
        list << QString::number(i);
    AddRecentPhrase(list, u"9"_s, true);
    EXPECT_EQ(list, (QStringList{u"9"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s,
                                 u"8"_s, u"0"_s}));
}

TEST(RecentPhrases, NothingIsAddedWhileSavingRecentPhrasesIsOff)
{
    EXPECT_EQ(added({u"A"_s}, u"b"_s, false), QStringList{u"A"_s});
    EXPECT_EQ(added({u"A"_s, u"B"_s}, u"b"_s, false), (QStringList{u"A"_s, u"B"_s}));
}

TEST(RecentPhrases, PlaceholderOfTheInterfaceLanguageIsNeverAdded)
{
    EXPECT_EQ(added({}, u"--- NEMA ---"_s), QStringList());
    EXPECT_EQ(added({}, u"--- none ---"_s), QStringList{u"--- NONE ---"_s})
        << "the English placeholder is a phrase while the interface is Serbian";

    const LanguageGuard english(InterfaceLanguage::English);
    EXPECT_EQ(added({}, u"--- None ---"_s), QStringList());
}

TEST(RecentPhrases, MenuShowsTheEntriesThenPlaceholders)
{
    const QStringList captions = recentMenuCaptions({u"house"_s, u"KUćA"_s});
    ASSERT_EQ(captions.size(), kMaxRecentPhrases);
    EXPECT_EQ(captions[0], u"HOUSE"_s);
    EXPECT_EQ(captions[1], u"KUćA"_s);
    for (qsizetype slot = 2; slot < captions.size(); ++slot)
        EXPECT_EQ(captions[slot], u"--- nema ---"_s) << slot;
}

TEST(RecentPhrases, ClearedMenuFollowsTheInterfaceLanguage)
{
    EXPECT_EQ(recentMenuCaptions({}), QStringList(kMaxRecentPhrases, u"--- nema ---"_s));
    const LanguageGuard english(InterfaceLanguage::English);
    EXPECT_EQ(recentMenuCaptions({}), QStringList(kMaxRecentPhrases, u"--- none ---"_s));
}

TEST(RecentPhrases, ChosenCaptionGivesItsPhrase)
{
    struct Case
    {
        QString caption;
        std::optional<QString> phrase;
    };
    const Case cases[] = {
        {u"HOUSE"_s, u"house"_s},
        {u"&HOUSE CAT"_s, u"house cat"_s},
        {u"KUĆ&A"_s, u"kuĆa"_s},
        {u"--- nema ---"_s, std::nullopt},
        {u"--- &NEMA ---"_s, std::nullopt},
        {u"--- none ---"_s, u"--- none ---"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(recentPhraseOfCaption(c.caption), c.phrase) << c.caption.toStdString();
}

TEST(RecentPhrases, EnglishPlaceholderIsNoPhraseInAnEnglishInterface)
{
    const LanguageGuard english(InterfaceLanguage::English);
    EXPECT_EQ(recentPhraseOfCaption(u"--- none ---"_s), std::nullopt);
    EXPECT_EQ(recentPhraseOfCaption(u"--- nema ---"_s), u"--- nema ---"_s);
}
