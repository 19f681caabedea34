// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/logic/BalloonMarkup.h"

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
    };
    const Case cases[] = {
        {u"house~0kuća"_s, u"house  kuća"_s, 5, HeadColour::Red},
        {u"kuća~1house; home"_s, u"kuća  house; home"_s, 4, HeadColour::Blue},
        {u"Program:~2"_s, u"Program:  "_s, 8, HeadColour::Black},
        {u"a~2b~2c"_s, u"a  b  c"_s, 1, HeadColour::Black},
        // "~1" is handled after "~0", so it re-formats the head up to its own column.
        {u"A~0B~1C"_s, u"A  B  C"_s, 4, HeadColour::Blue},
        {u"x~1y~0z"_s, u"x  y  z"_s, 1, HeadColour::Blue},
        {u"~1meaning"_s, u"  meaning"_s, 0, HeadColour::Blue},
        {u"~~0"_s, u"~  "_s, 1, HeadColour::Red},
        {u"no code at all"_s, u"no code at all"_s, 0, HeadColour::Black},
        {u"~3 ~ ~~ ~a *** ~"_s, u"~3 ~ ~~ ~a *** ~"_s, 0, HeadColour::Black},
        {u""_s, u""_s, 0, HeadColour::Black},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        const FormattedLine formatted = formatMarkup(c.line);
        EXPECT_EQ(formatted.text, c.shown);
        EXPECT_EQ(formatted.headLength, c.headLength);
        if (c.headLength > 0) {
            EXPECT_EQ(formatted.headColour, c.colour);
        }
    }
}
