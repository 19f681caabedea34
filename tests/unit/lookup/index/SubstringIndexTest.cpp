// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/SubstringIndex.h"

#include "lookup/text/TextFolding.h"
#include "support/QtPrinters.h"
#include "unit/lookup/LookupTestSupport.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>

using namespace kvel;
using kvel::test::keysOf;
using namespace Qt::StringLiterals;

namespace {

std::vector<std::uint32_t> byScan(const FoldedKeys& keys, QStringView phrase, int limit)
{
    std::vector<std::uint32_t> found;
    for (std::uint32_t key = 0; key < keys.size() && found.size() < std::size_t(limit); ++key) {
        if (matchesFolded(keys[key], phrase, FindMethod::Contains))
            found.push_back(key);
    }
    return found;
}

} // namespace

TEST(SubstringIndexTest, FindsTheFirstKeysContainingThePhrase)
{
    const FoldedKeys keys = keysOf({u"kuća"_s, u"house"_s, u"boathouse"_s, u"ab"_s, u""_s, u"aaa"_s,
                                    u"\U0001D400"_s, u"use it"_s});
    const SubstringIndex index(keys, 2);
    struct Case
    {
        QString phrase;
        int limit;
        std::vector<std::uint32_t> expected;
    };
    const Case cases[] = {
        {u"ć"_s, 15, {0}},
        {u"use"_s, 15, {1, 2, 7}},
        {u"use"_s, 2, {1, 2}},
        {u"a"_s, 15, {0, 2, 3, 5}}, // more than the short list holds
        {u"aa"_s, 15, {5}},
        {u"aaa"_s, 15, {5}},
        {u"aaaa"_s, 15, {}},
        {u"e i"_s, 15, {7}},
        {u"\U0001D400"_s, 15, {6}},
        {QString(QChar(0xD835)), 15, {6}}, // half a surrogate pair is still a unit
        {u"zzz"_s, 15, {}},
        {u""_s, 3, {0, 1, 2}},
        {u"house"_s, 0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(index.find(keys, c.phrase, c.limit), c.expected) << c.phrase.toStdString();
}

TEST(SubstringIndexTest, AgreesWithAScanOnManyKeys)
{
    // Enough keys over a small alphabet that buckets share grams.
    QRandomGenerator random(7);
    QStringList texts;
    for (int i = 0; i < 5000; ++i) {
        QString text;
        for (int n = int(random.bounded(12)); n > 0; --n)
            text += QChar(u"abcčde "[random.bounded(7)]);
        texts << text;
    }
    const FoldedKeys keys = keysOf(texts);
    const SubstringIndex index(keys, 15);
    for (int i = 0; i < 300; ++i) {
        const QString& source = texts[int(random.bounded(5000))];
        const int from = source.isEmpty() ? 0 : int(random.bounded(quint32(source.size())));
        const QString phrase =
            source.mid(from, 1 + int(random.bounded(6))) + (i % 5 ? u""_s : u"e"_s);
        for (const int limit : {1, 15, 100})
            ASSERT_EQ(index.find(keys, phrase, limit), byScan(keys, phrase, limit))
                << phrase.toStdString() << " limit " << limit;
    }
}
