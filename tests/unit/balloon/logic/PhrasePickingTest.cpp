// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/logic/PhrasePicking.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

TEST(PhraseAt, PicksMeaningsBetweenSemicolonsAndNeverTheHead)
{
    // h=1 . k=8 ;=12 d=14 ;=17 z=19, the line ends at 24.
    const QString line = u"house  kuća; dom; zgrada"_s;
    struct Case
    {
        int column;
        QString phrase;
    };
    const Case cases[] = {
        {1, u""_s},         // the head
        {5, u""_s},         // still the head
        {6, u""_s},         // the first of the two blanks
        {7, u""_s},         // the second blank: the head's blanks end at or after it
        {8, u"kuća"_s},     // on the k
        {11, u"kuća"_s},    // on the a
        {12, u""_s},        // on a ';'
        {13, u" dom"_s},    // the blank after ';' belongs to the next phrase
        {14, u" dom"_s},    // on the d
        {17, u""_s},        // on the second ';'
        {24, u" zgrada"_s}, // the last character
    };
    for (const Case& c : cases)
        EXPECT_EQ(PhraseAt(line, c.column), c.phrase) << "column " << c.column;
}

TEST(PhraseAt, WithoutTheHeadsBlanksTheWholeLineCounts)
{
    EXPECT_EQ(PhraseAt(u"continued meaning; more"_s, 3), u"continued meaning"_s);
    EXPECT_EQ(PhraseAt(u"continued meaning; more"_s, 21), u" more"_s);
    EXPECT_EQ(PhraseAt(u"plain"_s, 5), u"plain"_s);
}

TEST(PhraseAt, TheLastDoubleBlankBeforeThePointerStartsThePhrase)
{
    const QString line = u"Alt+L  Changing  the language"_s;
    EXPECT_EQ(PhraseAt(line, 9), u"Changing  the language"_s);
    EXPECT_EQ(PhraseAt(line, 20), u"the language"_s);
}

TEST(PhraseAt, AColumnOutsideTheLineHasNoAnswer)
{
    EXPECT_EQ(PhraseAt(u"house  kuća"_s, 12), std::nullopt);
    EXPECT_EQ(PhraseAt(u"house  kuća"_s, 0), std::nullopt);
    EXPECT_EQ(PhraseAt(u""_s, 1), std::nullopt);
}
