// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/text/KeyOrder.h"

#include "support/QtPrinters.h"
#include "unit/lookup/LookupTestSupport.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

using namespace kvel;
using kvel::test::keysOf;
using namespace Qt::StringLiterals;

namespace {

QStringList textsOf(const FoldedKeys& keys, PackedNumbers::View found)
{
    std::vector<std::uint32_t> sorted(found.begin(), found.end());
    std::sort(sorted.begin(), sorted.end());
    QStringList texts;
    for (const std::uint32_t key : sorted)
        texts << keys[key].toString();
    return texts;
}

// Keys that share their first or last four units, differ only in length or
// hold units above the Latin range, where a sorting shortcut could go wrong.
const QStringList kTexts = {u"house"_s, u"housewife"_s, u"hous"_s,       u"h"_s,
                            u""_s,      u"boathouse"_s, u"use"_s,        u"kuća"_s,
                            u"kućа"_s,  u"ab\u0000"_s,  u"ab"_s,         u"\uFFFFx"_s,
                            u"house"_s, u"mouse"_s,     u"\U0001D400a"_s};

} // namespace

TEST(KeyOrderTest, FindsStartsEndsAndWholeKeys)
{
    const FoldedKeys keys = keysOf(kTexts);
    const KeyOrder forward(keys, KeyOrder::Direction::Forward);
    const KeyOrder backward(keys, KeyOrder::Direction::Backward);
    struct Case
    {
        QString phrase;
        QStringList starting;
        QStringList ending;
        QStringList equal;
    };
    const Case cases[] = {
        {u"hous"_s, {u"house"_s, u"housewife"_s, u"hous"_s, u"house"_s}, {u"hous"_s}, {u"hous"_s}},
        {u"house"_s,
         {u"house"_s, u"housewife"_s, u"house"_s},
         {u"house"_s, u"boathouse"_s, u"house"_s},
         {u"house"_s, u"house"_s}},
        {u"use"_s,
         {u"use"_s},
         {u"house"_s, u"boathouse"_s, u"use"_s, u"house"_s, u"mouse"_s},
         {u"use"_s}},
        {u"ab"_s, {u"ab\u0000"_s, u"ab"_s}, {u"ab"_s}, {u"ab"_s}},
        {u"ća"_s, {}, {u"kuća"_s}, {}},
        {u"\uFFFF"_s, {u"\uFFFFx"_s}, {}, {}},
        {u"\U0001D400"_s, {u"\U0001D400a"_s}, {}, {}},
        {u"zzz"_s, {}, {}, {}},
        {u""_s, kTexts, kTexts, {u""_s}},
    };
    for (const Case& c : cases) {
        QStringList all = kTexts;
        const auto inOrder = [&](QStringList expected) {
            QStringList ordered;
            for (const QString& text : all) {
                if (expected.removeOne(text))
                    ordered << text;
            }
            return ordered;
        };
        EXPECT_EQ(textsOf(keys, forward.withAffix(keys, c.phrase)), inOrder(c.starting))
            << c.phrase.toStdString();
        EXPECT_EQ(textsOf(keys, backward.withAffix(keys, c.phrase)), inOrder(c.ending))
            << c.phrase.toStdString();
        EXPECT_EQ(textsOf(keys, forward.equalTo(keys, c.phrase)), inOrder(c.equal))
            << c.phrase.toStdString();
    }
}
