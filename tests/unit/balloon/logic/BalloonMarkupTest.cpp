// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/logic/BalloonMarkup.h"

#include "balloon/logic/LineLanguageTable.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

TEST(BalloonMarkup, CodesBecomeTwoBlanksAndTheLastCodeFoundDecidesTheHead)
{
    struct Case
    {
        QString line;
        QString shown;
        int headLength;
        HeadColour colour;
        int language;
    };
    const Case cases[] = {
        {u"house~0kuća"_s, u"house  kuća"_s, 5, HeadColour::Red, 0},
        {u"kuća~1house; home"_s, u"kuća  house; home"_s, 4, HeadColour::Blue, -1},
        {u"Program:~2"_s, u"Program:  "_s, 8, HeadColour::Black, 1},
        {u"a~2b~2c"_s, u"a  b  c"_s, 1, HeadColour::Black, 1},
        // "~1" is handled after "~0", so it re-formats the head up to its own column.
        {u"A~0B~1C"_s, u"A  B  C"_s, 4, HeadColour::Blue, -1},
        {u"x~1y~0z"_s, u"x  y  z"_s, 1, HeadColour::Blue, -1},
        {u"~1meaning"_s, u"  meaning"_s, 0, HeadColour::Blue, 1},
        {u"~~0"_s, u"~  "_s, 1, HeadColour::Red, 0},
        {u"no code at all"_s, u"no code at all"_s, 0, HeadColour::Black, 1},
        {u"~3 ~ ~~ ~a *** ~"_s, u"~3 ~ ~~ ~a *** ~"_s, 0, HeadColour::Black, 1},
        {u""_s, u""_s, 0, HeadColour::Black, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        const FormattedLine formatted = formatMarkup(c.line);
        EXPECT_EQ(formatted.text, c.shown);
        EXPECT_EQ(formatted.headLength, c.headLength);
        if (c.headLength > 0) {
            EXPECT_EQ(formatted.headColour, c.colour);
        }
        EXPECT_EQ(lineLanguageOf(formatted), c.language);
    }
}

TEST(BalloonMarkup, LineBreaksSplitLinesAndAnEmptyLastLineBecomesABlank)
{
    struct Case
    {
        QStringList lines;
        QStringList shown;
    };
    const Case cases[] = {
        {{}, {u" "_s}},
        {{u"a\r\nb"_s, u"c"_s}, {u"a"_s, u"b"_s, u"c"_s}},
        {{u"a"_s, u""_s}, {u"a"_s, u" "_s}},
        {{u"a\r\n"_s}, {u"a"_s, u" "_s}},
        {{u""_s, u"b"_s}, {u""_s, u"b"_s}},
        {{u"a\nb\rc"_s}, {u"a"_s, u"b"_s, u"c"_s}},
        {{u"a\r\n\r\nb"_s}, {u"a"_s, u""_s, u"b"_s}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(displayedLines(c.lines), c.shown);
}

TEST(BalloonMarkup, FormatLinesSplitsThenFormatsEachLine)
{
    EXPECT_EQ(formatLines({u"house~0kuća\n; dom"_s, u"cat~0mačka"_s}),
              (QList<FormattedLine>{{u"house  kuća"_s, 5, HeadColour::Red},
                                    {u"; dom"_s, 0, HeadColour::Black},
                                    {u"cat  mačka"_s, 3, HeadColour::Red}}));
}

TEST(LineLanguageTable, PickingInheritsTheLanguageOfTheNearestColouredLineAbove)
{
    LineLanguageTable table;
    const int languages[] = {1, 0, 1, 1, -1, 1};
    for (int line = 0; line < 6; ++line)
        table.set(line, languages[line]);

    const int picked[] = {1, 0, 0, 0, -1, -1};
    for (int line = 0; line < 6; ++line)
        EXPECT_EQ(table.pickedLanguage(line), picked[line]) << "line " << line;
}

TEST(LineLanguageTable, LinesOutsideTheTableAreNeitherStoredNorRead)
{
    LineLanguageTable table;
    for (int line = 0; line < LineLanguageTable::kCapacity; ++line)
        table.set(line, 0);
    table.set(LineLanguageTable::kCapacity, -1);
    table.set(-1, -1);

    EXPECT_EQ(table.pickedLanguage(LineLanguageTable::kCapacity - 1), 0);
    EXPECT_EQ(table.pickedLanguage(LineLanguageTable::kCapacity), 1);
    EXPECT_EQ(table.pickedLanguage(5000), 1);
    EXPECT_EQ(table.pickedLanguage(-1), 1);
}
