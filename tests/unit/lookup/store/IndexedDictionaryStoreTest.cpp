// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/IndexedDictionaryStore.h"

#include "lookup/engine/LookupEngine.h"
#include "support/PrintedLookup.h"
#include "support/QtPrinters.h"
#include "support/TestDictionary.h"
#include "unit/lookup/LookupTestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

QStringList wordsOf(const std::optional<QList<DictionaryRow>>& rows)
{
    QStringList words;
    for (const DictionaryRow& row : rows.value_or(QList<DictionaryRow>()))
        words << row.word;
    return words;
}

using IndexedDictionaryStoreTest = test::DictionaryFileTest;

} // namespace

TEST_F(IndexedDictionaryStoreTest, AnswersEveryMethodInStoredOrder)
{
    test::writeDictionary(path, {
                                    {u"house"_s, u"kuća"_s, -1},
                                    {u"Čakavian"_s, u"čakavski"_s, -1},
                                    {u"boathouse"_s, u"kućica za čamce"_s, -1},
                                    {u"kuća"_s, u"house"_s, 0},
                                    {u"HOUSE"_s, u"capitals"_s, 0},
                                    {u"odd"_s, u"neither language"_s, 1},
                                });
    IndexedDictionaryStore store(path);
    struct Case
    {
        SearchLanguage language;
        FindMethod method;
        QString phrase;
        QStringList words;
    };
    const Case cases[] = {
        {SearchLanguage::Both, FindMethod::Begins, u"hou"_s, {u"house"_s, u"HOUSE"_s}},
        {SearchLanguage::English, FindMethod::Contains, u"house"_s, {u"house"_s, u"boathouse"_s}},
        {SearchLanguage::Serbian, FindMethod::Ends, u"use"_s, {u"HOUSE"_s}},
        {SearchLanguage::Both, FindMethod::Whole, u"house"_s, {u"house"_s, u"HOUSE"_s}},
        {SearchLanguage::Both, FindMethod::Begins, u"čak"_s, {u"Čakavian"_s}},
        {SearchLanguage::Both, FindMethod::Begins, u"cak"_s, {}}, // accents count
        {SearchLanguage::Both, FindMethod::Contains, u"d"_s, {u"odd"_s}},
        {SearchLanguage::English, FindMethod::Contains, u"d"_s, {}},
        {SearchLanguage::Both,
         FindMethod::Contains,
         u"a"_s,
         {u"Čakavian"_s, u"boathouse"_s, u"kuća"_s}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wordsOf(store.findRows(c.language, c.method, c.phrase, kMaxResultLines)), c.words)
            << c.phrase.toStdString();
    }
}

TEST_F(IndexedDictionaryStoreTest, ReturnsWholeRowsOfTheMatches)
{
    test::writeDictionary(path, {{u"Kuća"_s, u"house; home"_s, 0}, {u"x"_s, u"y"_s, -1}});
    IndexedDictionaryStore store(path);
    const auto rows = store.findRows(SearchLanguage::Both, FindMethod::Whole, u"kuća"_s, 15);
    ASSERT_TRUE(rows.has_value());
    ASSERT_EQ(rows->size(), 1);
    EXPECT_EQ(rows->front().word, u"Kuća"_s);
    EXPECT_EQ(rows->front().meaning, u"house; home"_s);
    EXPECT_EQ(rows->front().selected, 0);
}

TEST_F(IndexedDictionaryStoreTest, KeepsTheFirstFifteenOfManyMatches)
{
    QList<test::Row> rows;
    for (int i = 0; i < 100; ++i)
        rows.append(
            {u"word "_s + QString::number(i).rightJustified(3, u'0'), u"m"_s, i % 2 ? -1 : 0});
    test::writeDictionary(path, rows);
    IndexedDictionaryStore store(path);
    for (const auto method : {FindMethod::Begins, FindMethod::Contains}) {
        const QStringList words =
            wordsOf(store.findRows(SearchLanguage::English, method, u"w"_s, 15));
        ASSERT_EQ(words.size(), 15);
        EXPECT_EQ(words.front(), u"word 001"_s);
        EXPECT_EQ(words.back(), u"word 029"_s);
    }
}

TEST_F(IndexedDictionaryStoreTest, NullWordsNeverMatch)
{
    test::writeDictionary(
        path,
        {{QVariant(), u"no word"_s, -1}, {u""_s, u"empty word"_s, -1}, {u"a"_s, QVariant(), -1}});
    IndexedDictionaryStore store(path);
    EXPECT_EQ(wordsOf(store.findRows(SearchLanguage::Both, FindMethod::Contains, u"a"_s, 15)),
              QStringList{u"a"_s});
    const auto rows = store.findRows(SearchLanguage::Both, FindMethod::Whole, u"a"_s, 15);
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(rows->front().meaning, u""_s); // a NULL meaning reads as empty
}

TEST_F(IndexedDictionaryStoreTest, ReplacedFileIsIndexedAfresh)
{
    test::writeDictionary(path, {{u"house"_s, u"kuća"_s, -1}});
    IndexedDictionaryStore store(path);
    EXPECT_EQ(wordsOf(store.findRows(SearchLanguage::Both, FindMethod::Begins, u"h"_s, 15)),
              QStringList{u"house"_s});
    EXPECT_EQ(store.queryMeaning(u"house"_s, -1), u"kuća"_s);

    const QString rebuilt = dir.filePath(u"new.mdb"_s);
    test::writeDictionary(rebuilt, {{u"hat"_s, u"šešir"_s, -1}, {u"house"_s, u"dom"_s, -1}});
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(rebuilt, path));
    EXPECT_EQ(wordsOf(store.findRows(SearchLanguage::Both, FindMethod::Begins, u"h"_s, 15)),
              (QStringList{u"hat"_s, u"house"_s}));
    EXPECT_EQ(store.queryMeaning(u"house"_s, -1), u"dom"_s);

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_FALSE(store.findRows(SearchLanguage::Both, FindMethod::Begins, u"h"_s, 15).has_value());
    EXPECT_EQ(store.queryMeaning(u"house"_s, -1), u""_s);
}

TEST_F(IndexedDictionaryStoreTest, DamagedDictionariesFailLikeThePlainQuery)
{
    struct Case
    {
        const char* name;
        QString damage; // SQL run on a good dictionary
    };
    const Case cases[] = {
        {"no TblKvel", u"drop table TblKvel"_s},
        {"no Meaning column", u"alter table TblKvel drop column Meaning"_s},
        {"no Selected column", u"alter table TblKvel drop column Selected"_s},
    };
    for (const Case& c : cases) {
        const QString damaged = dir.filePath(QString::fromLatin1(c.name) + u".mdb"_s);
        test::writeDictionary(damaged, {{u"house"_s, u"kuća"_s, -1}});
        test::executeSql(damaged, c.damage);
        IndexedDictionaryStore store(damaged);
        EXPECT_FALSE(store.findRows(SearchLanguage::Both, FindMethod::Begins, u"zzz"_s, 15))
            << c.name;
        EXPECT_EQ(store.queryMeaning(u"house"_s, -1), u""_s) << c.name;
        LookupEngine engine(store);
        EXPECT_EQ(
            test::PrintedLookup(engine.lookUp(u"house"_s, SearchLanguage::Both, FindMethod::Begins))
                .kind,
            ContentKind::QueryFailed)
            << c.name;
    }
}

TEST_F(IndexedDictionaryStoreTest, ReadsTheVersionWithoutTheTable)
{
    test::writeDictionary(path, {{u"house"_s, u"kuća"_s, -1}}, u"2.5"_s);
    test::executeSql(path, u"drop table TblKvel"_s);
    IndexedDictionaryStore store(path);
    EXPECT_EQ(store.readVersion(), u"2.5"_s);
}

TEST_F(IndexedDictionaryStoreTest, MissingFileFailsEveryQuery)
{
    IndexedDictionaryStore store(dir.filePath(u"absent.mdb"_s));
    EXPECT_FALSE(store.findRows(SearchLanguage::Both, FindMethod::Begins, u"a"_s, 15));
    EXPECT_EQ(store.queryMeaning(u"a"_s, -1), u""_s);
    EXPECT_EQ(store.readVersion(), u""_s);
}
