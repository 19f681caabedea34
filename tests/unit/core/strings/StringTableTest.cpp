// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/strings/StringTable.h"

#include "core/strings/StringTableParser.h"
#include "support/LanguageGuard.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kvel;

TEST(StringTableParser, ReadsEntriesEscapesAndSkipsWhatDoesNotParse)
{
    const ParsedStringTable table =
        parseStringTable("# a comment\n"
                         "30010\tProgramTitle\tKvel re\xc4\x8dnik\n"
                         "\n"
                         "30031\tHint\tfirst\\r\\nsecond\\tthird \\\\ end\\x\r\n"
                         "30723\tMailAddress\t\n"
                         "notanumber\tName\tignored\n"
                         "\tNoId\tno id\n"
                         "30999 no tab\n"
                         "30998\tNoText\n"
                         "70000\tOutOfRange\tout of range\n"
                         "30500\tBlanks\t  keeps blanks  \n");
    EXPECT_EQ(table.texts.value(30010), QStringLiteral("Kvel rečnik"));
    EXPECT_EQ(table.texts.value(30031), QStringLiteral("first\r\nsecond\tthird \\ end\\x"));
    EXPECT_TRUE(table.texts.contains(30723));
    EXPECT_EQ(table.texts.value(30723), QString());
    EXPECT_EQ(table.texts.value(30500), QStringLiteral("  keeps blanks  "));
    EXPECT_EQ(table.texts.size(), 4);
    EXPECT_EQ(table.problems.size(), 5) << table.problems.join(u'\n').toStdString();
}

TEST(StringTableParser, AnEnglishRowFollowsItsNamedSerbianRow)
{
    const ParsedStringTable table = parseStringTable("30010\tProgramTitle\tKvel rečnik\n"
                                                     "30011\t\tKvel dictionary\n"
                                                     "30025\tOddPair\tADO verzija\n"
                                                     "30026\t\tADO version\n");
    EXPECT_EQ(table.texts.value(30011), QStringLiteral("Kvel dictionary"));
    EXPECT_EQ(table.texts.value(30026), QStringLiteral("ADO version"));
    EXPECT_EQ(table.texts.size(), 4);
    EXPECT_TRUE(table.problems.isEmpty()) << table.problems.join(u'\n').toStdString();
}

// The good rows stay; each bad row is refused and reported by its line.
TEST(StringTableParser, RefusesAndReportsBadRows)
{
    const QByteArray pair = "30010\tProgramTitle\tKvel re\xc4\x8dnik\n30011\t\tKvel dictionary\n";
    struct Case
    {
        const char* what;
        QByteArray table;
        int refusedId;
        int keptTexts;       // -1: not counted
        const char* problem; // how the only report starts; nullptr: any reports
    };
    const Case cases[] = {
        {"a dash in the name", pair + "30020\tbad-name\tx\n", 30020, 2, "line 3:"},
        {"a small first letter", pair + "30020\tprogramTitle\tx\n", 30020, 2, "line 3:"},
        {"a digit first", pair + "30020\t1Title\tx\n", 30020, 2, "line 3:"},
        {"a blank in the name", pair + "30020\tProgram Title\tx\n", 30020, 2, "line 3:"},
        {"a name not in ASCII", pair + "30020\tNaslov\xc4\x8c\tx\n", 30020, 2, "line 3:"},
        {"the name used twice", pair + "30020\tProgramTitle\tx\n", 30020, 2, "line 3:"},
        {"an English row after a gap", pair + "30013\t\tx\n", 30013, 2, "line 3:"},
        {"an English row after the English row", pair + "30012\t\tx\n", 30012, 2, "line 3:"},
        {"an English first row", "0\t\tfirst\n", 0, -1, nullptr},
        {"an English row after a comment", "30010\tProgramTitle\tKvel\n# comment\n30011\t\tKvel\n",
         30011, -1, nullptr},
        {"an English row after a blank line", "30010\tProgramTitle\tKvel\n\n30011\t\tKvel\n", 30011,
         -1, nullptr},
        {"an English row after a refused Serbian row", "30010\tbad-name\tKvel\n30011\t\tKvel\n",
         30011, -1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ParsedStringTable table = parseStringTable(c.table);
        EXPECT_FALSE(table.texts.contains(c.refusedId));
        if (c.keptTexts >= 0)
            EXPECT_EQ(table.texts.size(), c.keptTexts);
        if (!c.problem) {
            EXPECT_FALSE(table.problems.isEmpty());
            continue;
        }
        ASSERT_EQ(table.problems.size(), 1);
        EXPECT_TRUE(table.problems[0].startsWith(QString::fromUtf8(c.problem)))
            << table.problems[0].toStdString();
    }
}

TEST(StringTable, TheShippedTableHasNoRefusedRow)
{
    QFile file(QStringLiteral(":/kvel/strings/kvel-strings.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const ParsedStringTable table = parseStringTable(file.readAll());
    EXPECT_EQ(table.problems, QStringList());
    EXPECT_GT(table.texts.size(), 400);
}

TEST(StringTable, PairsGiveSerbianAtTheIdAndEnglishAtTheNext)
{
    struct Case
    {
        StringId id;
        const char* serbian;
        const char* english;
    };
    const Case cases[] = {
        {StringId::ProgramTitle, "Kvel rečnik", "Kvel dictionary"},
        {StringId::DataAccessVersionInvalid, "ADO verzija nije ispravna",
         "ADO version is not valid"}, // odd Serbian id
        {StringId::SearchLabelBoth, "Oba", "Both"},
        {StringId::SearchLabelSerbian, "Srp", "Ser"},
        {StringId::LookupNoMatches, "Nema pojavljivanja", "No matches for"},
        {StringId::LookupSorry, "Žao nam je, fraza nije pronađena ovoga puta",
         "Sorry, the phrase was not found this time"},
        {StringId::LookupTop15, "Prvih 15", "Top 15"},
        {StringId::LookupBingo, "Bingo!", "Bingo!"},
        {StringId::TipBrowserItem,
         "Da li ste znali da priručni meni pregledača\r\nima stavku 'Prevedi sa Kvel rečnikom'?",
         "Did you know that the browser's context menu has\r\nthe menu item 'Translate with Kvel "
         "dictionary'?"},
        {StringId::LookupInternalError, "Interna greška", "Internal error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.id));
        {
            test::LanguageGuard serbian(InterfaceLanguage::Serbian);
            EXPECT_EQ(LoadLngText(c.id), QString::fromUtf8(c.serbian));
            EXPECT_EQ(LoadLngText(c.id, InterfaceLanguage::English), QString::fromUtf8(c.english));
        }
        test::LanguageGuard english(InterfaceLanguage::English);
        EXPECT_EQ(LoadLngText(c.id), QString::fromUtf8(c.english));
        EXPECT_EQ(LoadLngText(c.id, InterfaceLanguage::Serbian), QString::fromUtf8(c.serbian));
        EXPECT_EQ(LoadText(c.id), QString::fromUtf8(c.serbian)) << "LoadText ignores the language";
    }
}

TEST(StringTable, LanguageNeutralEntriesAndMissingIds)
{
    EXPECT_EQ(LoadText(StringId::ProgramVersion), QStringLiteral("1.0"));
    EXPECT_EQ(LoadText(StringId::DictionaryVersionOldest), QStringLiteral("2.0"));
    EXPECT_EQ(LoadText(StringId::DictionaryVersionNewest), QStringLiteral("2.5"));
    EXPECT_EQ(LoadText(StringId::DataAccessVersionNeeded), QStringLiteral("2.5"));
    EXPECT_EQ(LoadText(StringId::HelpFileName), QStringLiteral("kvel.chm"));
    EXPECT_EQ(LoadLngText(StringId::MenuHotKeyAltF9, InterfaceLanguage::Serbian),
              LoadLngText(StringId::MenuHotKeyAltF9, InterfaceLanguage::English));
    EXPECT_TRUE(LoadText(StringId{29999}).isEmpty());
    EXPECT_TRUE(LoadText(StringId{31056}).isEmpty());
    EXPECT_TRUE(LoadText(StringId{30507}).isEmpty())
        << "the keyboard list's blank lines are missing ids";
}

TEST(StringTable, CodePageHintKeepsItsLineBreaks)
{
    test::LanguageGuard english(InterfaceLanguage::English);
    EXPECT_EQ(LoadLngText(StringId::CodePageHint).count(QStringLiteral("\r\n")), 3);
}

TEST(StringTable, LanguageOffsetIsSerbianOrEnglishOnly)
{
    SetLanguageOffset(1);
    EXPECT_EQ(LanguageOffset(), 1);
    SetLanguageOffset(7);
    EXPECT_EQ(LanguageOffset(), 0);
    SetLanguageOffset(-1);
    EXPECT_EQ(LanguageOffset(), 0);
}
