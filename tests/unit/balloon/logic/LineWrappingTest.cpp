// SPDX-License-Identifier: GPL-2.0-or-later
#include "balloon/logic/LineWrapping.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

// A line of `length` letters with ';' at the given 1-based positions.
QString lineWithSemicolons(int length, std::initializer_list<int> positions)
{
    QString line(length, u'x');
    for (int position : positions)
        line[position - 1] = u';';
    return line;
}

} // namespace

TEST(WrapLines, CutsLongLinesAfterTheLastSemicolonThatFits)
{
    const QString line = lineWithSemicolons(200, {50, 120});
    EXPECT_EQ(WrapLines({line}), QStringList({line.mid(0, 50), line.mid(50, 70), line.mid(120)}));
}

TEST(WrapLines, LeavesLinesWithoutAUsableSemicolonWhole)
{
    struct Case
    {
        const char* name;
        QString line;
        QStringList wrapped;
    };
    const QString short92 = lineWithSemicolons(92, {10});
    const QString at93 = lineWithSemicolons(150, {40, 93});
    const QString at94 = lineWithSemicolons(150, {94, 120});
    const QString endsAt93 = lineWithSemicolons(93, {93});
    const QString tailWithout = lineWithSemicolons(250, {10});
    const Case cases[] = {
        {"92 characters stay", short92, {short92}},
        {"a ';' at 93 is the cut", at93, {at93.left(93), at93.mid(93)}},
        {"nothing before 94", at94, {at94}},
        {"no empty remainder", endsAt93, {endsAt93}},
        {"a long tail stays whole", tailWithout, {tailWithout.left(10), tailWithout.mid(10)}},
        {"empty line", u""_s, {u""_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WrapLines({c.line}), c.wrapped);
    }
}

TEST(WrapLines, PiecesKeepTheirBlanksAndTheCodeStaysOnTheFirstPiece)
{
    const QString meanings = QString(60, u'a') + u"; "_s + QString(60, u'b');
    const QString line = u"house~0"_s + meanings;
    const QStringList wrapped = WrapLines({u"short~1x"_s, line});
    ASSERT_EQ(wrapped.size(), 3);
    EXPECT_EQ(wrapped[0], u"short~1x"_s);
    EXPECT_EQ(wrapped[1], u"house~0"_s + QString(60, u'a') + u";"_s);
    EXPECT_EQ(wrapped[2], u" "_s + QString(60, u'b'));
}

TEST(WrapLines, CountsLineBreaksInsideAProducersLine)
{
    // 91 letters, CR LF and one more letter make 94 characters: cut at the ';'.
    const QString line = QString(45, u'a') + u";"_s + QString(45, u'b') + u"\r\nc"_s;
    EXPECT_EQ(WrapLines({line}).size(), 2);
}

TEST(WrapLines, CountsCharactersOutsideTheBasicPlaneOnce)
{
    const QString wide = u"\U0001F600"_s; // one character, two UTF-16 units
    const QString fits = wide.repeated(30) + u";"_s + wide.repeated(40);
    const QString cutAt93 = wide.repeated(50) + QString(42, u'a') + u";"_s + QString(10, u'x');
    const QString longWithout = wide.repeated(100);
    struct Case
    {
        const char* name;
        QString line;
        QStringList wrapped;
    };
    const Case cases[] = {
        {"71 characters in 141 units stay", fits, {fits}},
        {"a ';' as the 93rd character is the cut", cutAt93, {cutAt93.left(143), cutAt93.mid(143)}},
        {"no ';': whole, no pair split", longWithout, {longWithout}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WrapLines({c.line}), c.wrapped);
    }
}
