// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/ConvertingDictionaryStore.h"

#include "lookup/engine/LookupEngine.h"
#include "lookup/store/DictionaryChecks.h"
#include "lookup/store/IndexedDictionaryStore.h"
#include "lookup/store/SqliteDictionaryStore.h"
#include "support/GatedConverter.h"
#include "support/PrintedLookup.h"
#include "support/QtPrinters.h"
#include "support/SearchChoices.h"
#include "unit/lookup/access/JetTestFiles.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QtCore/qtestsupport_core.h>
#include <atomic>
#include <gtest/gtest.h>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

QString describe(const test::PrintedLookup& display)
{
    return u"kind %1 closed %2 caption \"%3\" lines [%4]"_s.arg(int(display.kind))
        .arg(display.closed)
        .arg(display.caption, display.lines.join(u" | "_s));
}

// Every outcome of the engine over `store` for the phrases, as text.
QStringList outcomes(DictionaryStore& store, const QStringList& phrases)
{
    LookupEngine engine(store);
    QStringList seen;
    for (const QString& phrase : phrases) {
        for (SearchLanguage language : test::kAllLanguages) {
            for (FindMethod method : test::kAllMethods) {
                seen.append(u"%1/%2/%3: "_s.arg(phrase).arg(int(language)).arg(int(method)) +
                            describe(engine.lookUp(phrase, language, method)));
            }
        }
        for (int selected : {kEnglishHeadword, kSerbianHeadword})
            seen.append(u"meaning %1/%2: %3"_s.arg(phrase).arg(selected).arg(
                engine.QueryMeaning(phrase, selected)));
    }
    return seen;
}

struct StoreKind
{
    const char* name;
    ConvertingDictionaryStore::StoreFactory make;
};

void PrintTo(const StoreKind& kind, std::ostream* os)
{
    *os << kind.name;
}

class ConvertingDictionaryStoreTest : public testing::TestWithParam<StoreKind>
{
protected:
    // The Jet fixture beside an SQLite dictionary written with the same rows.
    void prepare(const QString& jetName, const QString& tsvName, const QVariant& version)
    {
        QFile::copy(jetData(jetName), jetPath);
        writeDictionary(sqlitePath, readTsvRows(jetData(tsvName)), version);
    }
    ConvertingDictionaryStore jetStore()
    {
        return ConvertingDictionaryStore(jetPath, GetParam().make,
                                         realConverter(dir.filePath(u"cache"_s)));
    }

    QTemporaryDir dir;
    QString jetPath = dir.filePath(u"kvel.mdb"_s);
    QString sqlitePath = dir.filePath(u"reference.mdb"_s);
};

} // namespace

TEST_P(ConvertingDictionaryStoreTest, AJetDictionaryGivesTheOutcomesOfTheSameRowsInSqlite)
{
    prepare(u"jet-kvel.mdb"_s, u"jet-sample.tsv"_s, u"2.5"_s);
    const QStringList phrases = {
        u"water"_s,
        u"house"_s,
        u"HOUSE"_s,
        u"h"_s,
        u"e"_s,
        u"kuća"_s,
        u"KUĆA"_s,
        u"kuca"_s,
        u"o'clock"_s,
        u"'"_s,
        u"rock'n"_s,
        u"šuma"_s,
        u"ŠUMA"_s,
        u"suma"_s,
        u"čačak"_s,
        u"đ"_s,
        u"Đ"_s,
        u"ĐURĐEVDAN"_s,
        u"đurđevdan"_s,
        u"lj"_s,
        u"dž"_s,
        u"džep"_s,
        u"empty meaning"_s,
        u"meaning"_s,
        u"null meaning"_s,
        u"long"_s,
        u"značenje"_s,
        u"a"_s,
        u"zzz"_s,
        u" house  arrest "_s,
    };
    SqliteDictionaryStore reference(sqlitePath);
    ConvertingDictionaryStore store = jetStore();
    EXPECT_EQ(outcomes(store, phrases), outcomes(reference, phrases));
    EXPECT_EQ(store.readVersion(), u"2.5"_s);
}

TEST_P(ConvertingDictionaryStoreTest, TheLongMemoArrivesWhole)
{
    prepare(u"jet-kvel.mdb"_s, u"jet-sample.tsv"_s, u"2.5"_s);
    ConvertingDictionaryStore store = jetStore();
    const QString meaning = store.queryMeaning(u"long"_s, kEnglishHeadword);
    EXPECT_EQ(meaning.size(), 5590);
    EXPECT_TRUE(meaning.startsWith(u"značenje broj 1; "_s));
    EXPECT_TRUE(meaning.endsWith(u"; značenje broj 300"_s));
}

TEST_P(ConvertingDictionaryStoreTest, VersionChecksAsWithSqlite)
{
    struct Case
    {
        QString jetName;
        QVariant version;
        bool versionOk;
    };
    const Case cases[] = {
        {u"jet-kvel.mdb"_s, u"2.5"_s, true},
        {u"jet-kvel-ver19.mdb"_s, u"1.9"_s, false},
        {u"jet-kvel-nover.mdb"_s, QVariant(), false},
    };
    for (const Case& c : cases) {
        QFile::remove(jetPath);
        QFile::remove(sqlitePath);
        prepare(c.jetName, u"jet-sample.tsv"_s, c.version);
        SqliteDictionaryStore reference(sqlitePath);
        ConvertingDictionaryStore store = jetStore();
        const DictionaryChecks checks = runDictionaryChecks(jetPath, store);
        EXPECT_EQ(checks.allPassed(), c.versionOk) << c.jetName.toStdString();
        EXPECT_EQ(store.readVersion(), reference.readVersion()) << c.jetName.toStdString();
        if (!c.versionOk) {
            EXPECT_EQ(dictionaryNotice(checks)->kind, ContentKind::DictionaryVersionNotice);
        }
    }
}

TEST_P(ConvertingDictionaryStoreTest, TheTwentyThousandRowDictionaryConvertsAndLooksUp)
{
    prepare(u"jet-kvel-20000.mdb"_s, u"jet-20000.tsv"_s, u"2.0"_s);
    const QList<Row> rows = readTsvRows(jetData(u"jet-20000.tsv"_s));
    ASSERT_EQ(rows.size(), 20000);
    QStringList phrases;
    for (qsizetype i : {qsizetype(0), qsizetype(1), qsizetype(9999), qsizetype(19999)}) {
        const QString word = rows[i].word.toString();
        phrases << word << word.left(2) << word.right(3) << word.toUpper();
    }
    SqliteDictionaryStore reference(sqlitePath);
    ConvertingDictionaryStore store = jetStore();
    EXPECT_TRUE(runDictionaryChecks(jetPath, store).allPassed());
    EXPECT_EQ(outcomes(store, phrases), outcomes(reference, phrases));
}

INSTANTIATE_TEST_SUITE_P(Stores, ConvertingDictionaryStoreTest,
                         testing::Values(StoreKind{"Sqlite", makeStore<SqliteDictionaryStore>},
                                         StoreKind{"Indexed", makeStore<IndexedDictionaryStore>}),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

class ConvertingDictionaryStoreFileTest : public testing::Test
{
protected:
    // A store whose factory notes every path it is asked to open.
    ConvertingDictionaryStore store(const JetConverter& converter)
    {
        return ConvertingDictionaryStore(
            path,
            [this](const QString& opened) {
                openedPaths.append(opened);
                return std::make_unique<SqliteDictionaryStore>(opened);
            },
            converter);
    }
    void setModified(qint64 secondsSinceEpoch)
    {
        QFile file(path);
        file.open(QIODevice::ReadWrite);
        file.setFileTime(QDateTime::fromSecsSinceEpoch(secondsSinceEpoch),
                         QFileDevice::FileModificationTime);
    }
    void replaceWith(const QString& source, qint64 secondsSinceEpoch)
    {
        QFile::remove(path);
        QFile::copy(source, path);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        setModified(secondsSinceEpoch);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(u"kvel.mdb"_s);
    QStringList openedPaths;
};

} // namespace

TEST_F(ConvertingDictionaryStoreFileTest, ConvertsEachVersionOfAFileOnceEvenWhenThatFails)
{
    replaceWith(jetData(u"jet-kvel.mdb"_s), 1700000000);
    const QString runs = dir.filePath(u"runs"_s);
    const JetConverter failing(writeScript(dir.filePath(u"fake-kvel-dict"_s),
                                           "echo run >> \"$(dirname \"$0\")/runs\"; exit 1"),
                               dir.filePath(u"cache"_s), {});
    ConvertingDictionaryStore converting = store(failing);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(converting.readVersion(), QString());
        EXPECT_EQ(converting.findRows(SearchLanguage::Both, FindMethod::Begins, u"h"_s, 15),
                  std::nullopt);
        EXPECT_EQ(converting.queryMeaning(u"house"_s, -1), QString());
    }
    EXPECT_EQ(readBytes(runs), "run\n");
    setModified(1700000100);
    converting.readVersion();
    EXPECT_EQ(readBytes(runs), "run\nrun\n");
    EXPECT_EQ(openedPaths, QStringList());
}

TEST_F(ConvertingDictionaryStoreFileTest, FollowsTheFileFromOneFormatToTheOther)
{
    const QString sqlite = dir.filePath(u"built.mdb"_s);
    writeDictionary(sqlite, {{u"house"_s, u"kuća"_s, -1}}, u"2.0"_s);
    replaceWith(sqlite, 1700000000);
    ConvertingDictionaryStore converting = store(realConverter(dir.filePath(u"cache"_s)));
    EXPECT_EQ(converting.readVersion(), u"2.0"_s);
    EXPECT_EQ(openedPaths, QStringList{path});

    replaceWith(jetData(u"jet-kvel-ver19.mdb"_s), 1700000100);
    EXPECT_EQ(converting.readVersion(), u"1.9"_s);
    ASSERT_EQ(openedPaths.size(), 2);
    EXPECT_TRUE(openedPaths[1].startsWith(dir.filePath(u"cache/"_s)));

    replaceWith(sqlite, 1700000200);
    EXPECT_EQ(converting.readVersion(), u"2.0"_s);
    EXPECT_EQ(openedPaths.size(), 3);

    // A rebuilt SQLite file is the SQLite store's to follow: it is not opened again.
    const QString rebuilt = dir.filePath(u"rebuilt.mdb"_s);
    writeDictionary(rebuilt, {}, u"2.5"_s);
    replaceWith(rebuilt, 1700000300);
    EXPECT_EQ(converting.readVersion(), u"2.5"_s);
    EXPECT_EQ(openedPaths.size(), 3);
}

// Generous: the conversion runs in another thread and process.
constexpr int kGenerousMs = 15000;

TEST_F(ConvertingDictionaryStoreFileTest, ConvertsInTheBackgroundAndSaysWhenItEnds)
{
    replaceWith(jetData(u"jet-kvel.mdb"_s), 1700000000);
    GatedConverter gate(dir.path());
    gate.handOut({{u"house"_s, u"kuća"_s, -1}}, u"2.0"_s);
    std::atomic<int> ended = 0;
    ConvertingDictionaryStore converting(path, makeStore<SqliteDictionaryStore>, gate.converter(),
                                         [&ended] { ++ended; });

    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.started(); }, kGenerousMs));
    EXPECT_FALSE(converting.ready());
    EXPECT_EQ(ended.load(), 0);
    gate.open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended == 1; }, kGenerousMs));
    EXPECT_TRUE(converting.ready());
    EXPECT_EQ(converting.queryMeaning(u"house"_s, -1), u"kuća"_s);

    // A changed file converts in the background too; a query waits for it.
    gate.close();
    gate.handOut({{u"house"_s, u"dom"_s, -1}}, u"2.0"_s);
    setModified(1700000100);
    EXPECT_FALSE(converting.ready());
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.started(); }, kGenerousMs));
    EXPECT_FALSE(converting.ready());
    gate.open();
    EXPECT_EQ(converting.queryMeaning(u"house"_s, -1), u"dom"_s);
    EXPECT_TRUE(converting.ready());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ended == 2; }, kGenerousMs));
}

TEST_F(ConvertingDictionaryStoreFileTest, AnSqliteFileIsReadyAtOnce)
{
    writeDictionary(path, {{u"house"_s, u"kuća"_s, -1}}, u"2.0"_s);
    ConvertingDictionaryStore converting(path, makeStore<SqliteDictionaryStore>,
                                         realConverter(dir.filePath(u"cache"_s)));
    EXPECT_TRUE(converting.ready());
    EXPECT_EQ(converting.readVersion(), u"2.0"_s);
}

TEST_F(ConvertingDictionaryStoreFileTest, AMissingFileIsLeftToTheChecks)
{
    ConvertingDictionaryStore converting = store(realConverter(dir.filePath(u"cache"_s)));
    const DictionaryChecks checks = runDictionaryChecks(path, converting);
    EXPECT_FALSE(checks.dictionaryFound);
    EXPECT_EQ(dictionaryNotice(checks)->kind, ContentKind::MissingDictionaryNotice);
}
