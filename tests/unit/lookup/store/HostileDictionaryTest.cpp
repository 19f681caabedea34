// SPDX-License-Identifier: GPL-2.0-or-later
// Dictionary files made to attack the reader: both stores refuse them with the
// dictionary-version notice, or read them right, and never hang.
#include "lookup/engine/LookupEngine.h"
#include "lookup/store/DictionaryChecks.h"
#include "lookup/store/DictionaryFileFormat.h"
#include "lookup/store/IndexedDictionaryStore.h"
#include "lookup/store/SqliteDictionaryStore.h"
#include "support/HostileDictionaries.h"
#include "support/PrintedLookup.h"
#include "support/QtPrinters.h"
#include "support/TestDictionary.h"
#include "unit/lookup/LookupTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <memory>
#include <optional>
#include <sys/stat.h>

using namespace kvel;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// Generous: a refused file takes milliseconds, one read past its budget seconds.
constexpr auto kDeadline = 60s;

using StoreMaker = std::function<std::unique_ptr<DictionaryStore>(const QString&, ReadBudget)>;

struct StoreKind
{
    const char* name;
    StoreMaker make;
};

const StoreKind kStores[] = {
    {"plain",
     [](const QString& path, ReadBudget budget) -> std::unique_ptr<DictionaryStore> {
         return std::make_unique<SqliteDictionaryStore>(path, budget);
     }},
    {"indexed",
     [](const QString& path, ReadBudget budget) -> std::unique_ptr<DictionaryStore> {
         return std::make_unique<IndexedDictionaryStore>(path, budget);
     }},
};

// What the bar shows for "h" typed after its first show's checks.
test::PrintedLookup firstLookup(DictionaryStore& store, const QString& path)
{
    if (const auto notice = dictionaryNotice(runDictionaryChecks(path, store)))
        return notice;
    return LookupEngine(store).lookUp(u"h"_s, SearchLanguage::Both, FindMethod::Begins);
}

QStringList wordsShown(const test::PrintedLookup& display)
{
    QStringList words;
    for (const QString& line : display.lines)
        words << line.section(u'~', 0, 0);
    return words;
}

// Writes a three-row table, then swaps its first two cell pointers on the
// table's one page: SQLite then reads row ids 2, 1, 3 in stored order.
void writeRowIdsOutOfOrder(const QString& path)
{
    test::writeDictionary(
        path, {{u"hat"_s, u"šešir"_s, -1}, {u"house"_s, u"kuća"_s, -1}, {u"home"_s, u"dom"_s, -1}});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const qint64 pageSize = 4096;
    const qint64 pointers = pageSize * 1 + 8; // TblKvel is page 2, a leaf
    ASSERT_TRUE(file.seek(pointers));
    QByteArray both = file.read(4);
    ASSERT_EQ(both.size(), 4);
    ASSERT_TRUE(file.seek(pointers));
    file.write(both.mid(2, 2) + both.left(2));
}

void removeAnything(const QString& path)
{
    if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
}

using HostileDictionaryTest = test::DictionaryFileTest;

} // namespace

TEST_F(HostileDictionaryTest, RefusedFilesGiveTheVersionNotice)
{
    for (const test::HostileDictionary& hostile : test::refusedDictionaries()) {
        for (const StoreKind& kind : kStores) {
            const QString file = dir.filePath(QString::fromLatin1(hostile.name) + u".mdb"_s);
            if (!QFile::exists(file))
                hostile.make(file);
            test::finishWithin(kDeadline, [&] {
                SCOPED_TRACE(std::string(hostile.name) + ", " + kind.name + " store");
                const auto store = kind.make(file, {});
                EXPECT_EQ(firstLookup(*store, file).kind, ContentKind::DictionaryVersionNotice);
            });
        }
    }
}

TEST_F(HostileDictionaryTest, OddButOrdinaryTablesAreReadInStoredOrder)
{
    struct Case
    {
        const char* name;
        std::function<void(const QString&)> make;
        QStringList words;
    };
    const auto withTables = [](const char* sql) {
        return [sql](const QString& path) {
            test::writeVersionOnly(path, QString::fromUtf8(sql));
        };
    };
    const Case cases[] = {
        {"without row ids, stored by its key",
         withTables("create table TblKvel(Word text, Meaning text, Selected integer, "
                    "primary key (Word, Selected)) without rowid;"
                    "insert into TblKvel values('house', 'kuća', -1), ('hat', 'šešir', -1),"
                    "('home', 'dom', -1)"),
         {u"hat"_s, u"home"_s, u"house"_s}},
        {"a column named rowid",
         withTables("create table TblKvel(rowid text, Word text, Meaning text, Selected integer);"
                    "insert into TblKvel values('z', 'house', 'kuća', -1), "
                    "('a', 'hat', 'šešir', -1), ('m', 'home', 'dom', -1)"),
         {u"house"_s, u"hat"_s, u"home"_s}},
        {"columns named rowid, _rowid_ and oid",
         withTables("create table TblKvel(oid, _rowid_, rowid, Word, Meaning, Selected);"
                    "insert into TblKvel values(3, 3, 3, 'house', 'kuća', -1), "
                    "(1, 1, 1, 'hat', 'šešir', -1), (2, 2, 2, 'home', 'dom', -1)"),
         {u"house"_s, u"hat"_s, u"home"_s}},
        {"row ids out of stored order", writeRowIdsOutOfOrder, {u"house"_s, u"hat"_s, u"home"_s}},
        {"a trigger",
         withTables("create table TblKvel(Word text, Meaning text, Selected integer);"
                    "insert into TblKvel values('house', 'kuća', -1);"
                    "create trigger Wipe before delete on TblKvel begin delete from TblVer; end;"
                    "create trigger Grow after update on TblKvel begin "
                    "insert into TblKvel select * from TblKvel; end"),
         {u"house"_s}},
        {"write-ahead log mode",
         withTables("pragma journal_mode = wal;"
                    "create table TblKvel(Word text, Meaning text, Selected integer);"
                    "insert into TblKvel values('house', 'kuća', -1)"),
         {u"house"_s}},
        {"a symbolic link to a dictionary",
         [](const QString& path) {
             const QString target = path + u".target"_s;
             test::writeDictionary(target, {{u"house"_s, u"kuća"_s, -1}});
             QFile::link(target, path);
         },
         {u"house"_s}},
    };
    for (const Case& c : cases) {
        for (const StoreKind& kind : kStores) {
            SCOPED_TRACE(std::string(c.name) + ", " + kind.name + " store");
            const QString file = dir.filePath(QString::fromLatin1(c.name) + u".mdb"_s);
            if (!QFile::exists(file))
                c.make(file);
            test::finishWithin(kDeadline, [&] {
                SCOPED_TRACE(std::string(c.name) + ", " + kind.name + " store");
                const auto store = kind.make(file, {});
                const test::PrintedLookup display = firstLookup(*store, file);
                EXPECT_EQ(display.kind, ContentKind::Results);
                EXPECT_EQ(wordsShown(display), c.words);
                EXPECT_EQ(store->queryMeaning(c.words.front(), -1).isEmpty(), false);
            });
        }
    }
}

TEST_F(HostileDictionaryTest, ReadingPastTheBudgetGivesTheVersionNotice)
{
    QList<test::Row> rows;
    for (int i = 0; i < 20000; ++i)
        rows.append({u"house"_s + QString::number(i), u"kuća"_s, -1});
    test::writeDictionary(path, rows);
    const ReadBudget none{0ms, 0ms};
    for (const StoreKind& kind : kStores) {
        test::finishWithin(kDeadline, [&] {
            SCOPED_TRACE(kind.name);
            const auto store = kind.make(path, none);
            // A phrase found nowhere: the plain store reads the whole table.
            const test::PrintedLookup display =
                runDictionaryChecks(path, *store).allPassed()
                    ? LookupEngine(*store).lookUp(u"zzz"_s, SearchLanguage::Both,
                                                  FindMethod::Contains)
                    : dictionaryNotice(runDictionaryChecks(path, *store));
            EXPECT_EQ(display.kind, ContentKind::DictionaryVersionNotice);
            // Refused until the file changes: no second wait for the budget.
            EXPECT_EQ(store->readVersion(), QString());
        });
    }
}

TEST_F(HostileDictionaryTest, DamageFoundOnceIsNotForgottenAtTheNextRead)
{
    // SQLite checks a page as it first reads it: the first query of this
    // file fails as damaged, a second one read it as it is.
    const QString damaged =
        QStringLiteral(KVEL_FUZZ_REGRESSIONS) + u"/store/page-damaged-on-first-reading"_s;
    ASSERT_TRUE(QFile::copy(damaged, path));
    for (const StoreKind& kind : kStores) {
        SCOPED_TRACE(kind.name);
        const auto store = kind.make(path, {});
        EXPECT_EQ(firstLookup(*store, path).kind, ContentKind::DictionaryVersionNotice);
        EXPECT_EQ(store->readVersion(), QString());
        EXPECT_EQ(test::PrintedLookup(
                      LookupEngine(*store).lookUp(u"h"_s, SearchLanguage::Both, FindMethod::Begins))
                      .kind,
                  ContentKind::DictionaryVersionNotice);
    }
}

TEST_F(HostileDictionaryTest, FileReplacedWhileRunningByAHostileOne)
{
    for (const StoreKind& kind : kStores) {
        for (const test::HostileDictionary& hostile : test::refusedDictionaries()) {
            SCOPED_TRACE(std::string(hostile.name) + ", " + kind.name + " store");
            removeAnything(path);
            test::writeDictionary(path, {{u"house"_s, u"kuća"_s, -1}});
            const auto store = kind.make(path, {});
            ASSERT_EQ(firstLookup(*store, path).kind, ContentKind::Results);

            removeAnything(path);
            hostile.make(path);
            test::finishWithin(kDeadline, [&] {
                SCOPED_TRACE(std::string(hostile.name) + ", " + kind.name + " store");
                LookupEngine engine(*store);
                EXPECT_EQ(test::PrintedLookup(
                              engine.lookUp(u"h"_s, SearchLanguage::Both, FindMethod::Begins))
                              .kind,
                          ContentKind::DictionaryVersionNotice);
                EXPECT_EQ(engine.QueryMeaning(u"house"_s, -1), QString());
            });
        }
    }
}

TEST_F(HostileDictionaryTest, FormatOfAFifoIsUnknownWithoutWaitingForAWriter)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    test::finishWithin(
        kDeadline, [&] { EXPECT_EQ(detectDictionaryFormat(path), DictionaryFileFormat::Unknown); });
}
