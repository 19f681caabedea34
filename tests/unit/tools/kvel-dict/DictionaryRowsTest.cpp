// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/DictionaryRows.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel;
using namespace kvel::dictbuild;
using namespace Qt::StringLiterals;

namespace {

// "word | meaning | selected" per row: readable when a comparison fails.
QStringList describe(const QList<DictionaryRow>& rows)
{
    QStringList lines;
    for (const DictionaryRow& row : rows) {
        lines.append(u"%1 | %2 | %3"_s.arg(row.word, row.meaning, QString::number(row.selected)));
    }
    return lines;
}

} // namespace

TEST(DictionaryRowsTest, MergesSameHeadwordKeepingSourceOrderAndDroppingRepeats)
{
    const QList<SourceEntries> sources = {
        {-1, {{u"house"_s, {u"кућа"_s}}, {u"house"_s, {u"црква"_s, u"kuća"_s}}}},
        {-1, {{u"house"_s, {u"dom"_s, u"crkva"_s}}, {u"House"_s, {u"Kuća"_s}}}},
    };
    const QStringList expected = {
        u"House | Kuća | -1"_s,             // another spelling is another headword
        u"house | kuća; crkva; dom | -1"_s, // Cyrillic and Latin кућа are one meaning
    };
    EXPECT_EQ(describe(makeDictionaryRows(sources)), expected);
}

TEST(DictionaryRowsTest, SameWordInBothLanguagesStaysTwoRows)
{
    const QList<SourceEntries> sources = {
        {0, {{u"hotel"_s, {u"hotel"_s}}}},
        {-1, {{u"hotel"_s, {u"хотел"_s}}}},
    };
    const QStringList expected = {
        u"hotel | hotel | -1"_s,
        u"hotel | hotel | 0"_s,
    };
    EXPECT_EQ(describe(makeDictionaryRows(sources)), expected);
}

TEST(DictionaryRowsTest, TransliteratesHeadwordsBeforeMerging)
{
    const QList<SourceEntries> sources = {
        {0, {{u"књига"_s, {u"book"_s}}, {u"knjiga"_s, {u"volume"_s, u"book"_s}}}},
        {0, {{u"ЏУГАЊ"_s, {u"loafer"_s}}}},
    };
    const QStringList expected = {
        u"DŽUGANJ | loafer | 0"_s,
        u"knjiga | book; volume | 0"_s,
    };
    EXPECT_EQ(describe(makeDictionaryRows(sources)), expected);
}

TEST(DictionaryRowsTest, EnglishFirstThenSerbianEachByFoldedHeadword)
{
    const QList<SourceEntries> sources = {
        {0, {{u"čaj"_s, {u"tea"_s}}, {u"Cena"_s, {u"price"_s}}, {u"cev"_s, {u"pipe"_s}}}},
        {-1,
         {{u"water"_s, {u"voda"_s}},
          {u"Apple"_s, {u"jabuka"_s}},
          {u"apple"_s, {u"jabuka"_s}},
          {u"April"_s, {u"april"_s}},
          {u"ŠKOLA"_s, {u"x"_s}},
          {u"apple pie"_s, {u"pita"_s}}}},
    };
    QStringList order;
    QList<int> selected;
    for (const DictionaryRow& row : makeDictionaryRows(sources)) {
        order.append(row.word);
        selected.append(row.selected);
    }
    // Folded ties fall back to the exact text ("A" before "a"); č and Š sort by
    // their code points, after the ASCII letters.
    EXPECT_EQ(order, (QStringList{u"Apple"_s, u"apple"_s, u"apple pie"_s, u"April"_s, u"water"_s,
                                  u"ŠKOLA"_s, u"Cena"_s, u"cev"_s, u"čaj"_s}));
    EXPECT_EQ(selected, (QList<int>{-1, -1, -1, -1, -1, -1, 0, 0, 0}));
}

TEST(DictionaryRowsTest, EntriesWithoutMeaningsKeepTheirRow)
{
    const QList<SourceEntries> sources = {
        {-1, {{u"lonely"_s, {}}, {u"  spaced   word "_s, {u" a  b "_s, u""_s}}}},
    };
    const QStringList expected = {
        u"lonely |  | -1"_s,
        u"spaced word | a b | -1"_s,
    };
    EXPECT_EQ(describe(makeDictionaryRows(sources)), expected);
}

TEST(DictionaryRowsTest, ManyMeaningsKeepTheirFirstOrderWithoutRepeats)
{
    // Past a few dozen meanings repeats are found another way; the row must
    // not change: first appearance order, each meaning once, Cyrillic folded.
    SourceEntries source{-1, {}};
    QStringList expected;
    for (int i = 0; i < 100; ++i) {
        source.entries.append({u"word"_s, {u"m%1"_s.arg(i), u"m%1"_s.arg(i / 2)}});
        expected.append(u"m%1"_s.arg(i));
    }
    source.entries.append({u"word"_s, {u"м5"_s, u"m99"_s, u"m100"_s, u"m0"_s}});
    expected.append(u"m100"_s);
    const QList<DictionaryRow> rows = makeDictionaryRows({source});
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.front().meaning, expected.join(u"; "_s));
}
