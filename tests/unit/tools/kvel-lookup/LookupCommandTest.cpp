// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-lookup/LookupCommand.h"

#include "support/HostileDictionaries.h"
#include "support/QtPrinters.h"
#include "support/TestDictionary.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

class LookupCommandTest : public testing::Test
{
protected:
    void SetUp() override
    {
        db = dir.filePath(u"kvel.mdb"_s);
        test::writeDictionary(db, {
                                      {u"house"_s, u"kuća; dom"_s, -1},
                                      {u"housewife"_s, u"domaćica"_s, -1},
                                      {u"boathouse"_s, u"kućica za čamce"_s, -1},
                                      {u"kuća"_s, u"house; home"_s, 0},
                                      {u"say hi"_s, u"tab\there"_s, -1},
                                  });
    }

    CommandResult run(const QStringList& arguments) { return runLookupCommand(arguments, db); }

    static QJsonObject json(const CommandResult& result)
    {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(result.out.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << result.out.toStdString();
        return document.object();
    }

    QTemporaryDir dir;
    QString db;
};

} // namespace

TEST_F(LookupCommandTest, JsonShowsTheOutcomeInMarkUpForm)
{
    const CommandResult result =
        run({u"--ui"_s, u"english"_s, u"--method"_s, u"contains"_s, u"--json"_s, u"house"_s});
    EXPECT_EQ(result.exitCode, ExitCode::Shown);
    EXPECT_TRUE(result.out.startsWith(
        uR"({"closed": false, "kind": 0, "bitmap": 31003, "caption": "Last 3: *HOUSE*", "lines": [)"_s))
        << result.out.toStdString();
    const QJsonObject object = json(result);
    EXPECT_EQ(object.value(u"lines"_s).toArray().first().toString(), u"house~0kuća; dom"_s);
}

TEST_F(LookupCommandTest, PlainOutputReplacesCodesWithTwoBlanks)
{
    const CommandResult result = run({u"--lang"_s, u"serbian"_s, u"kuća"_s});
    EXPECT_EQ(result.exitCode, ExitCode::Shown);
    EXPECT_EQ(result.out, u"Bingo!\nkuća  house; home\n"_s);
}

// Forms rely on Debian's Hunspell dictionaries and WordNet's lists, as bootstrap installs them.
TEST_F(LookupCommandTest, TolerantAndFormsFindVariantsOfTheWord)
{
    const struct
    {
        QStringList arguments;
        QString out;
    } cases[] = {
        {{u"--lang"_s, u"serbian"_s, u"kuca"_s},
         u"Nema pojavljivanja: KUCA*\nŽao nam je, fraza nije pronađena ovoga puta\n"_s},
        {{u"--lang"_s, u"serbian"_s, u"--tolerant"_s, u"kuca"_s}, u"Bingo!\nkuća  house; home\n"_s},
        {{u"--lang"_s, u"serbian"_s, u"--tolerant"_s, u"кућа"_s}, u"Bingo!\nkuća  house; home\n"_s},
        {{u"--method"_s, u"equals"_s, u"houses"_s},
         u"Nema pojavljivanja: HOUSES\nŽao nam je, fraza nije pronađena ovoga puta\n"_s},
        {{u"--method"_s, u"equals"_s, u"--forms"_s, u"houses"_s}, u"Bingo!\nhouse  kuća; dom\n"_s},
        {{u"--lang"_s, u"serbian"_s, u"--forms"_s, u"kuće"_s}, u"Bingo!\nkuća  house; home\n"_s},
        {{u"--lang"_s, u"serbian"_s, u"--forms"_s, u"куће"_s}, u"Bingo!\nkuća  house; home\n"_s},
        {{u"--lang"_s, u"serbian"_s, u"--tolerant"_s, u"--forms"_s, u"kuce"_s},
         u"Bingo!\nkuća  house; home\n"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(run(c.arguments).out, c.out) << c.arguments.join(u' ').toStdString();
}

TEST_F(LookupCommandTest, WordsAreJoinedWithSingleBlanksAsTheRawText)
{
    // The raw text 'say "hi"' normalises to 'say hi'; the tab in the meaning survives JSON.
    const CommandResult result = run({u"--json"_s, u"--"_s, u"say"_s, u"\"hi\""_s});
    const QJsonObject object = json(result);
    EXPECT_EQ(object.value(u"caption"_s).toString(), u"Bingo!"_s);
    EXPECT_EQ(object.value(u"lines"_s).toArray().first().toString(), u"say hi~0tab\there"_s);
    // A leading blank in the raw text closes the window, as in the bar.
    EXPECT_EQ(run({u"--json"_s, u" house"_s}).out,
              uR"({"closed": true, "kind": null, "bitmap": null, "caption": null, "lines": []})"_s
              u"\n"_s);
}

TEST_F(LookupCommandTest, ExitStatusTellsWhatHappened)
{
    struct Case
    {
        QStringList arguments;
        int exitCode;
    };
    const Case cases[] = {
        {{u"house"_s}, ExitCode::Shown},
        {{u"zzz"_s}, ExitCode::NothingShown},
        {{u"[]"_s}, ExitCode::NothingShown},
        {{u"--meaning"_s, u"--selected"_s, u"-1"_s, u"house"_s}, ExitCode::Shown},
        {{u"--meaning"_s, u"--selected"_s, u"0"_s, u"house"_s}, ExitCode::NothingShown},
        {{}, ExitCode::Usage},
        {{u"--lang"_s, u"german"_s, u"house"_s}, ExitCode::Usage},
        {{u"--method"_s, u"fuzzy"_s, u"house"_s}, ExitCode::Usage},
        {{u"--ui"_s, u"french"_s, u"house"_s}, ExitCode::Usage},
        {{u"--bogus"_s, u"house"_s}, ExitCode::Usage},
        {{u"--meaning"_s, u"house"_s}, ExitCode::Usage},
        {{u"--meaning"_s, u"--selected"_s, u"1"_s, u"house"_s}, ExitCode::Usage},
        {{u"--selected"_s, u"0"_s, u"house"_s}, ExitCode::Usage},
        {{u"--meaning"_s, u"--selected"_s, u"0"_s, u"--tolerant"_s, u"kuca"_s}, ExitCode::Usage},
        {{u"--meaning"_s, u"--selected"_s, u"0"_s, u"--forms"_s, u"kuće"_s}, ExitCode::Usage},
        {{u"--db"_s, u"/nonexistent/kvel.mdb"_s, u"house"_s}, ExitCode::DictionaryProblem},
    };
    for (const Case& c : cases) {
        const CommandResult result = run(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments.join(u' ').toStdString();
        if (c.exitCode == ExitCode::Usage) {
            EXPECT_TRUE(result.err.contains(u"usage: kvel-lookup"_s));
        }
    }
}

TEST_F(LookupCommandTest, HostileDictionariesEndWithStatusThree)
{
    for (const test::HostileDictionary& hostile : test::refusedDictionaries()) {
        const QString file = dir.filePath(QString::fromLatin1(hostile.name));
        hostile.make(file);
        for (const QStringList& words :
             {QStringList{u"h"_s},
              QStringList{u"--meaning"_s, u"--selected"_s, u"-1"_s, u"house"_s}}) {
            test::finishWithin(std::chrono::seconds(60), [&] {
                SCOPED_TRACE(hostile.name);
                const CommandResult result = run(QStringList{u"--db"_s, file} + words);
                EXPECT_EQ(result.exitCode, ExitCode::DictionaryProblem);
            });
        }
    }
}

TEST_F(LookupCommandTest, MeaningAsJsonAndNoticeWhenTheDictionaryFails)
{
    EXPECT_EQ(run({u"--json"_s, u"--meaning"_s, u"--selected"_s, u"-1"_s, u"house"_s}).out,
              u"{\"meaning\": \"kuća; dom\"}\n"_s);

    QFile::remove(db);
    test::writeDictionary(db, {}, u"1.9"_s);
    const CommandResult result =
        run({u"--json"_s, u"--meaning"_s, u"--selected"_s, u"-1"_s, u"house"_s});
    EXPECT_EQ(result.exitCode, ExitCode::DictionaryProblem);
    EXPECT_EQ(json(result).value(u"kind"_s).toInt(), 7);
}
