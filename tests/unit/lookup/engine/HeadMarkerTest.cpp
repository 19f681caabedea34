// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/engine/LookupEngine.h"
#include "lookup/store/IndexedDictionaryStore.h"
#include "lookup/store/SqliteDictionaryStore.h"
#include "support/PrintedLookup.h"
#include "support/QtPrinters.h"
#include "support/TestDictionary.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

// A Selected as a file may hold it (SQL), in a column without a type so that
// text and blobs stay as they are, and whether it makes the headword English.
struct StoredSelected
{
    const char* sql;
    bool english;
};

const StoredSelected kSelectedValues[] = {
    {"-1", true},           {"-1.0", true},  {"0", false},
    {"1", false},           {"null", false}, {"4294967295", false},
    {"-4294967297", false}, {"'-1'", false}, {"x'2d31'", false},
    {"'0'", false},         {"-1e0", true},  {"18446744073709551615", false},
};

std::unique_ptr<DictionaryStore> sqliteStore(const QString& path)
{
    return std::make_unique<SqliteDictionaryStore>(path);
}

std::unique_ptr<DictionaryStore> indexedStore(const QString& path)
{
    return std::make_unique<IndexedDictionaryStore>(path);
}

} // namespace

// The marker of a result (~0 for an English headword) and the English filter
// come from one comparison, whatever the type or size of the stored value.
TEST(HeadMarkerTest, MarkerAndEnglishFilterAgreeForEveryStoredSelected)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const StoredSelected& value : kSelectedValues) {
        const QString path = dir.filePath(QString::fromLatin1(value.sql).toUtf8().toHex());
        test::writeDictionary(path, {});
        test::executeSql(path, u"drop table TblKvel;"
                               u"create table TblKvel(Word text, Meaning text, Selected);"
                               u"insert into TblKvel values ('odd', 'meaning', %1);"_s.arg(
                                   QString::fromLatin1(value.sql)));
        for (const auto makeStore : {sqliteStore, indexedStore}) {
            SCOPED_TRACE(testing::Message()
                         << "Selected " << value.sql
                         << (makeStore == sqliteStore ? " (scanned)" : " (indexed)"));
            const std::unique_ptr<DictionaryStore> store = makeStore(path);
            LookupEngine engine(*store);
            const test::PrintedLookup english =
                engine.lookUp(u"odd"_s, SearchLanguage::English, FindMethod::Whole);
            const test::PrintedLookup both =
                engine.lookUp(u"odd"_s, SearchLanguage::Both, FindMethod::Whole);
            EXPECT_EQ(english.kind == ContentKind::Results, value.english);
            EXPECT_EQ(both.lines,
                      QStringList{value.english ? u"odd~0meaning"_s : u"odd~1meaning"_s});
        }
    }
}
