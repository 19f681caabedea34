// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/strings/StringTable.h"

#include "core/strings/StringTableParser.h"
#include "support/LanguageGuard.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel;

TEST(StringTableParser, ReadsEntriesEscapesAndSkipsWhatDoesNotParse)
{
    const QHash<int, QString> table =
        parseStringTable("# a comment\n"
                         "30010\tKvel re\xc4\x8dnik\n"
                         "\n"
                         "30031\tfirst\\r\\nsecond\\tthird \\\\ end\\x\r\n"
                         "30723\t\n"
                         "notanumber\tignored\n"
                         "\tno id\n"
                         "30999 no tab\n"
                         "70000\tout of range\n"
                         "30500\t  keeps blanks  \n");
    EXPECT_EQ(table.value(30010), QStringLiteral("Kvel rečnik"));
    EXPECT_EQ(table.value(30031), QStringLiteral("first\r\nsecond\tthird \\ end\\x"));
    EXPECT_TRUE(table.contains(30723));
    EXPECT_EQ(table.value(30723), QString());
    EXPECT_EQ(table.value(30500), QStringLiteral("  keeps blanks  "));
    EXPECT_EQ(table.size(), 4);
}

TEST(StringTable, PairsGiveSerbianAtTheIdAndEnglishAtTheNext)
{
    struct Case
    {
        int id;
        const char* serbian;
        const char* english;
    };
    const Case cases[] = {
        {30010, "Kvel rečnik", "Kvel dictionary"},
        {30025, "ADO verzija nije ispravna", "ADO version is not valid"}, // odd Serbian id
        {30050, "Oba", "Both"},
        {30054, "Srp", "Ser"},
        {30302, "Nema pojavljivanja", "No matches for"},
        {30304, "Žao nam je, fraza nije pronađena ovoga puta",
         "Sorry, the phrase was not found this time"},
        {30306, "Prvih 15", "Top 15"},
        {30310, "Bingo!", "Bingo!"},
        {30316, "Interna greška", "Internal error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        {
            test::LanguageGuard serbian(InterfaceLanguage::Serbian);
            EXPECT_EQ(LoadLngText(c.id), QString::fromUtf8(c.serbian));
        }
        test::LanguageGuard english(InterfaceLanguage::English);
        EXPECT_EQ(LoadLngText(c.id), QString::fromUtf8(c.english));
        EXPECT_EQ(LoadText(c.id), QString::fromUtf8(c.serbian)) << "LoadText ignores the language";
    }
}

TEST(StringTable, LanguageNeutralEntriesAndMissingIds)
{
    EXPECT_EQ(LoadText(30000), QStringLiteral("1.0"));
    EXPECT_EQ(LoadText(30003), QStringLiteral("2.0"));
    EXPECT_EQ(LoadText(30004), QStringLiteral("2.5"));
    EXPECT_EQ(LoadText(30007), QStringLiteral("2.5"));
    EXPECT_EQ(LoadText(30024), QStringLiteral("kvel.chm"));
    EXPECT_EQ(LoadText(30118), LoadText(30119));
    EXPECT_TRUE(LoadText(29999).isEmpty());
    EXPECT_TRUE(LoadText(31056).isEmpty());
    EXPECT_TRUE(LoadText(30507).isEmpty()) << "the keyboard list's blank lines are missing ids";
}

TEST(StringTable, CodePageHintKeepsItsLineBreaks)
{
    test::LanguageGuard english(InterfaceLanguage::English);
    EXPECT_EQ(LoadLngText(30030).count(QStringLiteral("\r\n")), 3);
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
