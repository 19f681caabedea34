// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/SqliteDictionaryStore.h"

#include "lookup/engine/LookupEngine.h"
#include "support/QtPrinters.h"
#include "support/TestDictionary.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

QByteArray fileHash(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

class QueryMeaningTest : public testing::Test
{
protected:
    void SetUp() override
    {
        path = dir.filePath(u"kvel.mdb"_s);
        test::writeDictionary(path, {
                                        {u"house"_s, u"kuća"_s, -1},
                                        {u"o'clock"_s, u"sati"_s, -1},
                                        {u"twice"_s, u"dvaput"_s, -1},
                                        {u"twice"_s, u"dva puta"_s, -1},
                                        {u"twice"_s, u"two times"_s, 0},
                                        {u"Škola"_s, u"school"_s, 0},
                                    });
    }
    QTemporaryDir dir;
    QString path;
};

} // namespace

TEST_F(QueryMeaningTest, OneRowGivesItsMeaningsNoneOrSeveralGiveNothing)
{
    SqliteDictionaryStore store(path);
    LookupEngine engine(store);
    struct Case
    {
        QString phrase;
        int selected;
        QString meaning;
    };
    const Case cases[] = {
        {u"house"_s, -1, u"kuća"_s},
        {u" House "_s, -1, u"kuća"_s}, // normalised first
        {u"house"_s, 0, u""_s},        // wrong language
        {u"hous"_s, -1, u""_s},        // whole words only
        {u"o'clock"_s, -1, u"sati"_s}, // apostrophe is plain text
        {u"twice"_s, -1, u""_s},       // two rows with the same Selected
        {u"twice"_s, 0, u"two times"_s},
        {u"ŠKOLA"_s, 0, u"school"_s}, // case folded for every letter
        {u"[]"_s, 0, u""_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(engine.QueryMeaning(c.phrase, c.selected), c.meaning) << c.phrase.toStdString();
}

TEST_F(QueryMeaningTest, NeverWritesTheFile)
{
    const QByteArray before = fileHash(path);
    {
        SqliteDictionaryStore store(path);
        LookupEngine engine(store);
        engine.lookUp(u"house"_s, SearchLanguage::Both, FindMethod::Contains);
        engine.QueryMeaning(u"house"_s, -1);
        store.readVersion();
    }
    EXPECT_EQ(fileHash(path), before);
    EXPECT_FALSE(QFile::exists(path + u"-journal"_s));
}

TEST_F(QueryMeaningTest, ReplacedFileIsReadAfresh)
{
    SqliteDictionaryStore store(path);
    EXPECT_EQ(store.queryMeaning(u"house"_s, -1), u"kuća"_s);

    const QString rebuilt = dir.filePath(u"new.mdb"_s);
    test::writeDictionary(rebuilt, {{u"house"_s, u"dom; kuća"_s, -1}, {u"extra"_s, u"x"_s, -1}});
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(rebuilt, path));
    EXPECT_EQ(store.queryMeaning(u"house"_s, -1), u"dom; kuća"_s);

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_FALSE(store.findRows(SearchLanguage::Both, FindMethod::Begins, u"h"_s, 15).has_value());
}
