// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/DictionaryChecks.h"

#include "core/content/ContentMarkup.h"
#include "lookup/engine/LookupEngine.h"
#include "lookup/store/SqliteDictionaryStore.h"
#include "support/LanguageGuard.h"
#include "support/PrintedLookup.h"
#include "support/QtPrinters.h"
#include "support/TestDictionary.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

TEST(DictionaryVersion, AcceptsTheSupportedRangeOnly)
{
    struct Case
    {
        QString text;
        bool ok;
    };
    const Case cases[] = {
        {u"2.0"_s, true},  {u"2.5"_s, true},   {u"2"_s, true},    {u"2.25"_s, true},
        {u"1.9"_s, false}, {u"2.51"_s, false}, {u""_s, false},    {u"2,1"_s, false},
        {u"abc"_s, false}, {u"2.5x"_s, false}, {u"nan"_s, false}, {u"inf"_s, false},
        {u"3"_s, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DictionaryVersionOk(c.text), c.ok) << c.text.toStdString();
}

TEST(DataAccessVersion, NeedsAtLeastTwoPointFive)
{
    EXPECT_TRUE(AdoVersionOk(2.8f));
    EXPECT_TRUE(AdoVersionOk(2.5f));
    EXPECT_FALSE(AdoVersionOk(2.1f));
    EXPECT_TRUE(AdoVersionOk(ReadAdoVersion())) << "the SQLite this program runs on";
}

namespace {

class DictionaryChecksTest : public testing::Test
{
public:
    QString path() const { return dir.filePath(u"kvel.mdb"_s); }

    DictionaryChecks check()
    {
        SqliteDictionaryStore store(path());
        return runDictionaryChecks(path(), store);
    }

    void writeBytes(const QByteArray& bytes)
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(DictionaryChecksTest, GoodDictionaryPassesAll)
{
    test::writeDictionary(path(), {{u"cat"_s, u"mačka"_s, -1}});
    const DictionaryChecks checks = check();
    EXPECT_TRUE(checks.allPassed());
    EXPECT_FALSE(dictionaryNotice(checks).has_value());
}

TEST_F(DictionaryChecksTest, MissingFileGivesKindEightAndNeverReadsTheVersion)
{
    const DictionaryChecks checks = check();
    EXPECT_TRUE(checks.dataAccessOk);
    EXPECT_FALSE(checks.dictionaryFound);
    EXPECT_FALSE(checks.versionOk);

    test::LanguageGuard english(InterfaceLanguage::English);
    const auto notice = dictionaryNotice(checks);
    ASSERT_TRUE(notice.has_value());
    EXPECT_EQ(notice->kind, ContentKind::MissingDictionaryNotice);
    EXPECT_EQ(notice->image, ImageId::Error);
    EXPECT_EQ(notice->caption, u"Dictionary was not found"_s);
    EXPECT_EQ(markupLines(*notice),
              QStringList{u"The file 'kvel.mdb' must exist in the program root"_s});
}

TEST_F(DictionaryChecksTest, UnusableDictionariesGiveKindSeven)
{
    struct Case
    {
        const char* name;
        std::function<void(DictionaryChecksTest&)> make;
    };
    const Case cases[] = {
        {"not a database",
         [](auto& t) {
             t.writeBytes("this is not a dictionary\n");
         }},
        {"empty file",
         [](auto& t) {
             t.writeBytes("");
         }},
        {"truncated",
         [](auto& t) {
             test::writeDictionary(t.path(), {{u"cat"_s, u"mačka"_s, -1}});
             QFile file(t.path());
             file.open(QIODevice::ReadOnly);
             const QByteArray head = file.read(100);
             file.close();
             t.writeBytes(head);
         }},
        {"version 1.9",
         [](auto& t) {
             test::writeDictionary(t.path(), {}, u"1.9"_s);
         }},
        {"version with comma",
         [](auto& t) {
             test::writeDictionary(t.path(), {}, u"2,1"_s);
         }},
        {"version not a number",
         [](auto& t) {
             test::writeDictionary(t.path(), {}, u"two"_s);
         }},
        {"empty TblVer",
         [](auto& t) {
             test::writeDictionary(t.path(), {}, QVariant());
         }},
        {"missing TblVer",
         [](auto& t) {
             test::writeDictionary(t.path(), {});
             test::executeSql(t.path(), u"drop table TblVer"_s);
         }},
        {"missing Ver column",
         [](auto& t) {
             test::writeDictionary(t.path(), {});
             test::executeSql(t.path(), u"drop table TblVer; create table TblVer(Version text);"
                                        "insert into TblVer values('2.5')"_s);
         }},
        {"null version",
         [](auto& t) {
             test::writeDictionary(t.path(), {}, QVariant());
             test::executeSql(t.path(), u"insert into TblVer values(null)"_s);
         }},
    };
    test::LanguageGuard english(InterfaceLanguage::English);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path());
        c.make(*this);
        const DictionaryChecks checks = check();
        EXPECT_TRUE(checks.dictionaryFound);
        EXPECT_FALSE(checks.versionOk);
        const auto notice = dictionaryNotice(checks);
        ASSERT_TRUE(notice.has_value());
        EXPECT_EQ(notice->kind, ContentKind::DictionaryVersionNotice);
        EXPECT_EQ(notice->caption, u"Dictionary version is not valid"_s);
        EXPECT_EQ(markupLines(*notice),
                  (QStringList{u"With the program version you are running"_s,
                               u"you can use dictionary versions v2.0 - v2.5"_s}));
    }
}

TEST_F(DictionaryChecksTest, NumericVersionColumnIsReadAsText)
{
    test::writeDictionary(path(), {}, QVariant());
    test::executeSql(path(), u"drop table TblVer; create table TblVer(Ver real);"
                             "insert into TblVer values(2.5)"_s);
    EXPECT_TRUE(check().versionOk);
}

TEST_F(DictionaryChecksTest, BrokenTableMakesEveryAttemptFail)
{
    struct Case
    {
        const char* name;
        const char* sql;
    };
    const Case cases[] = {
        {"missing TblKvel", "drop table TblKvel"},
        {"missing Meaning column",
         "drop table TblKvel; create table TblKvel(Word text, Selected integer)"},
        {"missing Selected column",
         "drop table TblKvel; create table TblKvel(Word text, Meaning text)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path());
        test::writeDictionary(path(), {{u"cat"_s, u"mačka"_s, -1}});
        test::executeSql(path(), QString::fromLatin1(c.sql));
        SqliteDictionaryStore store(path());
        EXPECT_TRUE(runDictionaryChecks(path(), store).allPassed());
        LookupEngine engine(store);
        EXPECT_EQ(test::PrintedLookup(
                      engine.lookUp(u"cat"_s, SearchLanguage::English, FindMethod::Begins))
                      .kind,
                  ContentKind::QueryFailed);
        EXPECT_EQ(engine.QueryMeaning(u"cat"_s, -1), QString());
    }
}

TEST(DictionaryNotice, DataAccessNoticeComesFirst)
{
    test::LanguageGuard english(InterfaceLanguage::English);
    const auto notice = dictionaryNotice(DictionaryChecks{});
    ASSERT_TRUE(notice.has_value());
    EXPECT_EQ(notice->kind, ContentKind::DataAccessNotice);
    EXPECT_EQ(notice->caption, u"ADO version is not valid"_s);
    EXPECT_EQ(markupLines(*notice),
              QStringList{u"This dictionary needs ADO version 2.50 or higher."_s});
}
