// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/TsvReader.h"

#include "DictTestFiles.h"
#include "kvel-dict/BuildError.h"
#include "support/QtPrinters.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvel::dictbuild;
using namespace Qt::StringLiterals;

TEST(TsvReaderTest, ReadsWordsAndMeanings)
{
    const QByteArray tsv = "\xEF\xBB\xBFwater\tvoda\r\n" // byte order mark, CRLF
                           "\n"
                           "   \r\n"
                           "house\tкућа, dom; zgrada\n"
                           "  house  arrest \tkućni pritvor\n"
                           "empty\t\n"
                           "last\twithout newline";
    const QList<SourceEntry> expected = {
        {u"water"_s, {u"voda"_s}},
        {u"house"_s, {u"кућа"_s, u"dom"_s, u"zgrada"_s}},
        {u"house arrest"_s, {u"kućni pritvor"_s}},
        {u"empty"_s, {}},
        {u"last"_s, {u"without newline"_s}},
    };
    EXPECT_EQ(parseTsv(tsv, u"words.tsv"_s), expected);
}

TEST(TsvReaderTest, RejectsBadLinesNamingFileAndLine)
{
    struct Case
    {
        QByteArray text;
        QString message;
    };
    const Case cases[] = {
        {"a\tb\nno tab here\n", u"words.tsv:2: expected word<TAB>meaning"_s},
        {"a\tb\n\n\nkuća\tdom\t-1\n", u"words.tsv:4: expected word<TAB>meaning"_s},
        {"a\tb\n \tmeaning\n", u"words.tsv:2: empty word"_s},
        {"a\tb\r\nword\tmean\xFFing\r\n", u"words.tsv:2: invalid UTF-8"_s},
        {"a\tb\nword\t\xE0\xA0", u"words.tsv:2: invalid UTF-8"_s}, // cut-off sequence
        {"\xC0\xAF\tslash\n", u"words.tsv:1: invalid UTF-8"_s},    // overlong "/"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        try {
            parseTsv(c.text, u"words.tsv"_s);
            ADD_FAILURE() << "accepted";
        } catch (const BuildError& error) {
            EXPECT_EQ(error.message(), c.message);
        }
    }
}

TEST(TsvReaderTest, MissingFileIsNamed)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"missing.tsv"_s);
    try {
        readTsvDictionary(path);
        ADD_FAILURE() << "accepted";
    } catch (const BuildError& error) {
        EXPECT_TRUE(error.message().startsWith(path + u": cannot read"_s))
            << error.message().toStdString();
    }
}
