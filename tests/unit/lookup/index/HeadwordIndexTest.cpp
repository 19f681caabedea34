// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/HeadwordIndex.h"

#include "support/QtPrinters.h"
#include "unit/lookup/LookupTestSupport.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

using namespace kvel;
using kvel::test::keysOf;
using namespace Qt::StringLiterals;

namespace {

const QStringList kTexts = {u"house"_s, u"kuća"_s, u"boathouse"_s, u"hous"_s, u"mouse"_s};

} // namespace

TEST(HeadwordIndexTest, GivesBackTheRowIdsHoweverFarApart)
{
    const qint64 max = std::numeric_limits<qint64>::max();
    const qint64 min = std::numeric_limits<qint64>::min();
    const std::vector<std::vector<qint64>> cases = {
        {1, 2, 3, 4, 5},
        {-7, -3, 0, 255, 256},
        {-5, 60000, 70000, 80000, 16777211},
        // Spread over 2^32 - 1 numbers: the widest that is still packed.
        {10, 11, 12, 13, 10 + qint64(UINT32_MAX)},
        // One more: kept as they are.
        {10, 11, 12, 13, 10 + qint64(UINT32_MAX) + 1},
        {min, -1, 0, 1, max},
        {max - 4, max - 3, max - 2, max - 1, max},
    };
    for (const std::vector<qint64>& rowIds : cases) {
        const HeadwordIndex index(keysOf(kTexts), rowIds);
        for (std::uint32_t key = 0; key < rowIds.size(); ++key)
            EXPECT_EQ(index.rowIdOf(key), rowIds[key]) << "key " << key;
        EXPECT_EQ(index.find(FindMethod::Contains, u"ous", 15),
                  (std::vector<qint64>{rowIds[0], rowIds[2], rowIds[3], rowIds[4]}));
        EXPECT_EQ(index.find(FindMethod::Ends, u"use", 2),
                  (std::vector<qint64>{rowIds[0], rowIds[2]}));
        EXPECT_EQ(index.find(FindMethod::Begins, u"hous", 15),
                  (std::vector<qint64>{rowIds[0], rowIds[3]}));
        EXPECT_EQ(index.find(FindMethod::Whole, u"kuća", 15), (std::vector<qint64>{rowIds[1]}));
    }
}

TEST(HeadwordIndexTest, GivesBackRowIdsThatAreNotAscending)
{
    // A damaged table can store its rows with ids in any order; each key
    // still gives back its own id, packed or not.
    const std::vector<std::vector<qint64>> cases = {
        {2, 1, 3, 4, 5},
        {300, 5, 70000, 4, 299},
        {5, 4, 3, 2, 1},
        {10 + qint64(UINT32_MAX), 10, 11, 12, 13},
    };
    for (const std::vector<qint64>& rowIds : cases) {
        const HeadwordIndex index(keysOf(kTexts), rowIds);
        for (std::uint32_t key = 0; key < rowIds.size(); ++key)
            EXPECT_EQ(index.rowIdOf(key), rowIds[key]) << "key " << key;
    }
}

TEST(HeadwordIndexTest, FindsEveryMethodPastTwoByteKeyNumbers)
{
    // 2^16 + 5 keys: key numbers and row ids then take three bytes.
    const std::uint32_t count = 65541;
    FoldedKeys keys;
    std::vector<qint64> rowIds;
    QStringList texts;
    for (std::uint32_t key = 0; key < count; ++key) {
        // Distinct texts that sort otherwise than stored, and share pieces.
        const QString text =
            u"w"_s + QString::number(count - key) + u"ž"_s + QString::number(key % 97);
        keys.append(text);
        texts << text;
        rowIds.push_back(qint64(key) * 3 + 1);
    }
    const HeadwordIndex index(std::move(keys), rowIds);
    const auto byScan = [&](FindMethod method, const QString& phrase, int limit) {
        std::vector<qint64> found;
        for (std::uint32_t key = 0; key < count && found.size() < std::size_t(limit); ++key) {
            const bool hit = method == FindMethod::Begins     ? texts[key].startsWith(phrase)
                             : method == FindMethod::Contains ? texts[key].contains(phrase)
                             : method == FindMethod::Ends     ? texts[key].endsWith(phrase)
                                                              : texts[key] == phrase;
            if (hit)
                found.push_back(rowIds[key]);
        }
        return found;
    };
    const QString phrases[] = {u"w1"_s,      u"w65541"_s,  u"w1ž0"_s,    u"ž96"_s,
                               u"6554"_s,    u"w65536ž"_s, u"ž5"_s,      u"w2ž"_s,
                               u"w9ž1"_s,    u"žž"_s,      texts[65540], texts[0],
                               texts[65536], u"w"_s,       u"7"_s,       u"96"_s};
    for (const QString& phrase : phrases) {
        for (const FindMethod method :
             {FindMethod::Begins, FindMethod::Contains, FindMethod::Ends, FindMethod::Whole}) {
            for (const int limit : {1, 15, 200}) {
                EXPECT_EQ(index.find(method, phrase, limit), byScan(method, phrase, limit))
                    << phrase.toStdString() << " method " << int(method) << " limit " << limit;
            }
        }
    }
}
