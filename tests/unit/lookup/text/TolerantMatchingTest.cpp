// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/text/TolerantMatching.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

struct MatchCase
{
    QString word;
    QString phrase;
    FindMethod method;
    bool expected;
};

bool matches(const QString& word, const QString& phrase, FindMethod method)
{
    return matchesTolerantly(tolerantForm(word), tolerantForm(phrase), method);
}

} // namespace

TEST(TolerantMatching, APlainLetterStandsForItselfWithOrWithoutMarks)
{
    const MatchCase cases[] = {
        {u"kuća"_s, u"kuca"_s, FindMethod::Whole, true},
        {u"ćevapi"_s, u"cevapi"_s, FindMethod::Whole, true},
        {u"đak"_s, u"djak"_s, FindMethod::Whole, true},
        {u"đak"_s, u"dak"_s, FindMethod::Whole, true},
        {u"đak"_s, u"đak"_s, FindMethod::Whole, true},
        {u"džep"_s, u"dzep"_s, FindMethod::Whole, true},
        {u"džep"_s, u"džep"_s, FindMethod::Whole, true},
        {u"kuća"_s, u"кућа"_s, FindMethod::Whole, true},
        {u"kuća"_s, u"КУЋА"_s, FindMethod::Whole, true},
        {u"кућа"_s, u"kuca"_s, FindMethod::Whole, true},
        {u"KUĆA"_s, u"kuca"_s, FindMethod::Whole, true},
        {u"Čačak"_s, u"cacak"_s, FindMethod::Whole, true},
        {u"café"_s, u"cafe"_s, FindMethod::Whole, true},
        {u"cafe\u0301"_s, u"cafe"_s, FindMethod::Whole, true},
        {u"über"_s, u"uber"_s, FindMethod::Whole, true},
        {u"djak"_s, u"djak"_s, FindMethod::Whole, true},
        {u"mađarski"_s, u"madjar"_s, FindMethod::Begins, true},
        {u"rađanje"_s, u"djanje"_s, FindMethod::Ends, true},
        {u"prođi"_s, u"odj"_s, FindMethod::Contains, true},
        {u"kuća"_s, u"uc"_s, FindMethod::Contains, true},
        {u"kuća"_s, u"ca"_s, FindMethod::Ends, true},
        {u"đđ"_s, u"djd"_s, FindMethod::Whole, true},
        // A letter typed with marks stands only for itself.
        {u"kuca"_s, u"kuća"_s, FindMethod::Whole, false},
        {u"kuca"_s, u"куће"_s, FindMethod::Begins, false},
        {u"cafe"_s, u"café"_s, FindMethod::Whole, false},
        {u"dak"_s, u"đak"_s, FindMethod::Whole, false},
        {u"djak"_s, u"đak"_s, FindMethod::Whole, false},
        {u"kuća"_s, u"kuča"_s, FindMethod::Whole, false},
        // "dj" is đ or d + j, nothing else; "d" never stands for "dj".
        {u"djak"_s, u"dak"_s, FindMethod::Whole, false},
        {u"đak"_s, u"djjak"_s, FindMethod::Whole, false},
        {u"đak"_s, u"djak"_s, FindMethod::Contains, true},
        {u"đak"_s, u"jak"_s, FindMethod::Contains, false},
        // The methods keep their meaning.
        {u"kuća"_s, u"kuc"_s, FindMethod::Whole, false},
        {u"kuća"_s, u"uca"_s, FindMethod::Begins, false},
        {u"kuća"_s, u"kuc"_s, FindMethod::Ends, false},
        {u"kuća"_s, u"kucaa"_s, FindMethod::Contains, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(matches(c.word, c.phrase, c.method), c.expected)
            << c.word.toStdString() << " / " << c.phrase.toStdString() << " method "
            << int(c.method);
    }
}

TEST(TolerantMatching, ASerbianWordMatchesInEitherPronunciation)
{
    const MatchCase cases[] = {
        {u"vrijednost"_s, u"vrednost"_s, FindMethod::Whole, true},
        {u"vrednost"_s, u"vrijednost"_s, FindMethod::Whole, true},
        {u"mlijeko"_s, u"mleko"_s, FindMethod::Whole, true},
        {u"mleko"_s, u"mlijeko"_s, FindMethod::Whole, true},
        {u"dijete"_s, u"dete"_s, FindMethod::Whole, true},
        {u"dete"_s, u"dijete"_s, FindMethod::Whole, true},
        {u"uspio"_s, u"uspeo"_s, FindMethod::Whole, true},
        {u"uspeo"_s, u"uspio"_s, FindMethod::Whole, true},
        {u"odjeljak"_s, u"odeljak"_s, FindMethod::Whole, true},
        {u"odeljak"_s, u"odjeljak"_s, FindMethod::Whole, true},
        {u"rijeka"_s, u"reka"_s, FindMethod::Whole, true},
        {u"reka"_s, u"rijeka"_s, FindMethod::Whole, true},
        {u"riječ"_s, u"reč"_s, FindMethod::Whole, true},
        {u"reč"_s, u"rijec"_s, FindMethod::Whole, true},
        {u"gdje"_s, u"gde"_s, FindMethod::Whole, true},
        {u"prije"_s, u"pre"_s, FindMethod::Whole, true},
        {u"dve"_s, u"dvije"_s, FindMethod::Whole, true},
        {u"poslije podne"_s, u"posle podne"_s, FindMethod::Whole, true},
        {u"mlijeko"_s, u"млеко"_s, FindMethod::Whole, true},
        {u"vrijednost"_s, u"vredn"_s, FindMethod::Begins, true},
        {u"nedjelja"_s, u"edel"_s, FindMethod::Contains, true},
        {u"pjesma"_s, u"pesma"_s, FindMethod::Ends, true},
        // Must not join: digraphs lj and nj, nije, comparatives and cases in
        // -ije, possessives in -je, the root jedn-.
        {u"znanje"_s, u"znane"_s, FindMethod::Whole, false},
        {u"polje"_s, u"pole"_s, FindMethod::Whole, false},
        {u"nije"_s, u"ne"_s, FindMethod::Whole, false},
        {u"ne"_s, u"nije"_s, FindMethod::Whole, false},
        {u"jasnije"_s, u"jasne"_s, FindMethod::Whole, false},
        {u"starije"_s, u"stare"_s, FindMethod::Whole, false},
        {u"opcije"_s, u"opce"_s, FindMethod::Whole, false},
        {u"ćelije"_s, u"cele"_s, FindMethod::Whole, false},
        {u"kozje"_s, u"koze"_s, FindMethod::Whole, false},
        {u"izjednačiti"_s, u"izednaciti"_s, FindMethod::Whole, false},
        {u"objediniti"_s, u"obediniti"_s, FindMethod::Whole, false},
        // A letter typed with marks still stands only for itself.
        {u"rijeka"_s, u"réka"_s, FindMethod::Whole, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word.toStdString() + " / " + c.phrase.toStdString());
        const QString word = tolerantForm(c.word);
        const QString phrase = tolerantForm(c.phrase);
        EXPECT_EQ(matchesTolerantly(word, phrase, c.method, Pronunciations::EkavianOrIjekavian),
                  c.expected);
        // Words of other languages are compared as written.
        const bool asWritten = matchesTolerantly(word, phrase, c.method, Pronunciations::AsWritten);
        EXPECT_EQ(asWritten, matchesTolerantly(word, phrase, c.method));
        if (c.expected && c.method == FindMethod::Whole) {
            EXPECT_FALSE(asWritten);
        }
    }
}

TEST(TolerantMatching, EkavianKeysReadTheJatAsE)
{
    const struct
    {
        QString key;
        QString ekavian;
    } cases[] = {
        {u"vrijeme"_s, u"vreme"_s},
        {u"djeca"_s, u"deca"_s},
        {u"uspio"_s, u"uspeo"_s},
        {u"video igra"_s, u"video igra"_s},
        {u"vidio sam"_s, u"video sam"_s},
        {u"jesti"_s, u"jesti"_s},
        {u"ljeto"_s, u"ljeto"_s},
        {u"snijeg"_s, u"sneg"_s},
        {u"nije"_s, u"nije"_s},
        {u"poslije"_s, u"posle"_s},
        {u"gdje"_s, u"gde"_s},
        {u"kozje"_s, u"kozje"_s},
        {u"odjednom"_s, u"odjednom"_s},
        {u"ije"_s, u"ije"_s},
        {u""_s, u""_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ekavianKey(c.key), c.ekavian) << c.key.toStdString();
}

TEST(TolerantMatching, KeysDropMarksAndReadCyrillicAsLatin)
{
    const struct
    {
        QString text;
        QString key;
    } cases[] = {
        {u"Kuća"_s, u"kuca"_s},
        {u"ĐAK"_s, u"dak"_s},
        {u"džep"_s, u"dzep"_s},
        {u"ЏЕП"_s, u"dzep"_s},
        {u"Љубав"_s, u"ljubav"_s},
        {u"cafe\u0301"_s, u"cafe"_s},
        {u"ǘ"_s, u"u"_s},
        {u"house"_s, u"house"_s},
        {u"\u0301a"_s, u"a"_s},
        {u"Straße"_s, u"straße"_s},
        {u""_s, u""_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tolerantKey(tolerantForm(c.text)), c.key) << c.text.toStdString();
}

TEST(TolerantMatching, CandidateKeysReadEachDjBothWays)
{
    const struct
    {
        QString phrase;
        FindMethod method;
        QStringList keys;
        FindMethod searched;
    } cases[] = {
        {u"kuća"_s, FindMethod::Whole, {u"kuca"_s}, FindMethod::Whole},
        {u"djak"_s, FindMethod::Begins, {u"djak"_s, u"dak"_s}, FindMethod::Begins},
        {u"đak"_s, FindMethod::Begins, {u"dak"_s}, FindMethod::Begins},
        {u"madjardj"_s,
         FindMethod::Ends,
         {u"madjardj"_s, u"madardj"_s, u"madjard"_s, u"madard"_s},
         FindMethod::Ends},
        // Past four "dj" the part before is looked up, and the method widened.
        {u"djdjdjdjdjx"_s, FindMethod::Whole, {}, FindMethod::Begins},
        {u"xdjdjdjdjdj"_s, FindMethod::Ends, {}, FindMethod::Contains},
    };
    for (const auto& c : cases) {
        const TolerantCandidates candidates = tolerantCandidates(tolerantForm(c.phrase), c.method);
        if (c.keys.isEmpty()) {
            EXPECT_EQ(candidates.keys.size(), 16) << c.phrase.toStdString();
            EXPECT_EQ(candidates.keys.front().count(u"dj"_s), 4) << c.phrase.toStdString();
        } else {
            EXPECT_EQ(candidates.keys, c.keys) << c.phrase.toStdString();
        }
        EXPECT_EQ(candidates.method, c.searched) << c.phrase.toStdString();
    }
}
