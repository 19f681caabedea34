#include "TolerantMatching.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

bool matches(const QString& word, const QString& phrase, FindMethod method)
{
    return matchesTolerantly(tolerantForm(word), tolerantForm(phrase), method);
}

} // namespace

TEST(TolerantMatching, APlainLetterStandsForItselfWithOrWithoutMarks)
{
    const struct
    {
        QString word;
        QString phrase;
        FindMethod method;
        bool expected;
    } cases[] = {
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
