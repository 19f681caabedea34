// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/DictdIndex.h"

#include "kvel-dict/BuildError.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kvel::dictbuild;
using namespace Qt::StringLiterals;

TEST(DictdIndexTest, DecodesBase64Numbers)
{
    struct Case
    {
        QByteArray digits;
        std::optional<qint64> value;
    };
    const Case cases[] = {
        {"A", 0},
        {"B", 1},
        {"z", 51},
        {"0", 52},
        {"+", 62},
        {"/", 63},
        {"BA", 64},
        {"BEP", 4367},
        {"AAAB", 1},                     // leading zeros
        {"//////////", (1LL << 60) - 1}, // the longest accepted
        {"BAAAAAAAAAA", std::nullopt},   // 11 digits
        {"", std::nullopt},
        {"B=", std::nullopt}, // the padding of ordinary base64 is not a digit
        {"B E", std::nullopt},
        {"-1", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.digits.toStdString());
        EXPECT_EQ(decodeDictdNumber(c.digits), c.value);
    }
}

TEST(DictdIndexTest, ReadsEveryLine)
{
    const QByteArray index = "00databaseinfo\tc\to1\n"
                             "house\tBEP\tl\r\n"      // CRLF
                             "\n"                     // blank lines are skipped
                             "до виђења\tA\tB\n"      // UTF-8, a space inside
                             "oclock\tB\tC\to'clock"; // last line without newline
    const QList<DictdIndexEntry> expected = {
        {u"00databaseinfo"_s, 28, 2613, 1},
        {u"house"_s, 4367, 37, 2},
        {u"до виђења"_s, 0, 1, 4},
        {u"o'clock"_s, 1, 2, 5}, // the headword as written names the entry
    };
    EXPECT_EQ(parseDictdIndex(index, u"x.index"_s), expected);
}

TEST(DictdIndexTest, RejectsMalformedLinesNamingFileAndLine)
{
    struct Case
    {
        QByteArray secondLine;
        QString message;
    };
    const Case cases[] = {
        {"house\tB", u"x.index:2: expected headword<TAB>offset<TAB>length"_s},
        {"house B C", u"x.index:2: expected headword<TAB>offset<TAB>length"_s},
        {"house\tB\tC\td\te", u"x.index:2: expected headword<TAB>offset<TAB>length"_s},
        {"\tB\tC", u"x.index:2: empty headword"_s},
        {"house\tB!\tC", u"x.index:2: bad offset \"B!\" (expected a base 64 number)"_s},
        {"house\tB\t", u"x.index:2: bad length \"\" (expected a base 64 number)"_s},
        {"hou\xC5se\tB\tC", u"x.index:2: invalid UTF-8"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.secondLine.toStdString());
        try {
            parseDictdIndex("a\tA\tB\n" + c.secondLine + "\n", u"x.index"_s);
            ADD_FAILURE() << "accepted";
        } catch (const BuildError& error) {
            EXPECT_EQ(error.message(), c.message);
        }
    }
}
