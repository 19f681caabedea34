// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/JetDictionaryReader.h"

#include "DictTestFiles.h"
#include "LongMemoJet.h"
#include "kvel-dict/BuildError.h"
#include "kvel-dict/DictCommand.h"
#include "kvel-dict/DictionarySource.h"
#include "lookup/store/SqliteDictionaryStore.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvel;
using namespace kvel::dictbuild;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

QString jetData(const QString& name)
{
    return QStringLiteral(KVEL_JET_DATA "/") + name;
}

// "word | meaning | selected" per row; the TSV's "\N" (NULL) reads as empty.
QStringList describe(const QList<DictionaryRow>& rows)
{
    QStringList lines;
    for (const DictionaryRow& row : rows)
        lines.append(u"%1 | %2 | %3"_s.arg(row.word, row.meaning, QString::number(row.selected)));
    return lines;
}

QStringList tsvRows(const QString& name)
{
    QStringList lines;
    for (const QByteArray& line : readFile(jetData(name)).split('\n')) {
        QStringList fields = QString::fromUtf8(line).split(u'\t');
        if (fields.size() == 3)
            lines.append(fields.replaceInStrings(u"\\N"_s, QString()).join(u" | "_s));
    }
    return lines;
}

// Every row of a converted dictionary, read back through the lookup's store.
QStringList storedRows(const QString& path)
{
    SqliteDictionaryStore store(path);
    return describe(*store.findRows(SearchLanguage::Both, FindMethod::Contains, u""_s, 1 << 20));
}

} // namespace

TEST(JetDictionaryReaderTest, AccessSourcesAreNamedByTheirPrefix)
{
    const std::optional<DictionarySource> source = parseSourceArgument(u"access:/a/kvel.mdb"_s);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->format, DictionarySource::Format::Access);
    EXPECT_EQ(source->path, u"/a/kvel.mdb"_s);
    EXPECT_EQ(parseSourceArgument(u"access:"_s), std::nullopt);
    EXPECT_EQ(parseSourceArgument(u"english:/a/kvel.mdb"_s)->format,
              DictionarySource::Format::Entries);
}

TEST(JetDictionaryReaderTest, ReadsRowsInStoredOrderAndTheVersionAsText)
{
    struct Case
    {
        QString file;
        QString tsv;
        std::optional<QString> version;
    };
    const Case cases[] = {
        {u"jet-kvel.mdb"_s, u"jet-sample.tsv"_s, u"2.5"_s},
        {u"jet-kvel-ver19.mdb"_s, u"jet-sample.tsv"_s, u"1.9"_s},
        {u"jet-kvel-nover.mdb"_s, u"jet-sample.tsv"_s, std::nullopt},
        {u"jet-kvel-20000.mdb"_s, u"jet-20000.tsv"_s, u"2.0"_s},
    };
    for (const Case& c : cases) {
        const JetDictionary dictionary = readJetDictionary(jetData(c.file));
        EXPECT_EQ(describe(dictionary.rows), tsvRows(c.tsv)) << c.file.toStdString();
        EXPECT_EQ(dictionary.version, c.version) << c.file.toStdString();
    }
}

TEST(JetDictionaryReaderTest, FilesThatAreNotJetDatabasesAreErrors)
{
    QTemporaryDir dir;
    const QByteArray jet = readFile(jetData(u"jet-kvel.mdb"_s));
    struct Case
    {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty", QByteArray()},
        {"text", "house\tkuća\t-1\n"},
        {"an SQLite file", QByteArray("SQLite format 3\0", 16) + QByteArray(4080, '\0')},
        {"the header page only", jet.left(4096)},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(u"kvel.mdb"_s);
        writeFile(path, c.bytes);
        EXPECT_THROW(readJetDictionary(path), BuildError) << c.what;
    }
    EXPECT_THROW(readJetDictionary(dir.filePath(u"missing.mdb"_s)), BuildError);
}

TEST(JetDictionaryReaderTest, BuildConvertsAnAccessDictionary)
{
    QTemporaryDir dir;
    struct Case
    {
        QStringList arguments;
        QString version; // empty: TblVer has no row
    };
    const Case cases[] = {
        {{u"access:"_s + jetData(u"jet-kvel.mdb"_s)}, u"2.5"_s},
        {{u"access:"_s + jetData(u"jet-kvel-ver19.mdb"_s)}, u"1.9"_s},
        {{u"access:"_s + jetData(u"jet-kvel-nover.mdb"_s)}, QString()},
        {{u"--version"_s, u"2.0"_s, u"access:"_s + jetData(u"jet-kvel-ver19.mdb"_s)}, u"2.0"_s},
    };
    for (const Case& c : cases) {
        const QString out = dir.filePath(u"out.mdb"_s);
        const DictCommandResult result =
            runDictCommand(QStringList{u"build"_s, u"-o"_s, out} + c.arguments);
        ASSERT_EQ(result.exitCode, DictExitCode::Success) << result.err.toStdString();
        EXPECT_EQ(storedRows(out), tsvRows(u"jet-sample.tsv"_s));
        EXPECT_EQ(SqliteDictionaryStore(out).readVersion(), c.version);
    }
}

TEST(JetDictionaryReaderTest, AccessRowsComeFirstBeforeTheMergedOtherSources)
{
    QTemporaryDir dir;
    const QString tsv = dir.filePath(u"extra.tsv"_s);
    writeFile(tsv, "zebra\tzebra\nabacus\tabakus\n");
    const QString out = dir.filePath(u"out.mdb"_s);
    const DictCommandResult result =
        runDictCommand({u"build"_s, u"-o"_s, out, u"english:"_s + tsv,
                        u"access:"_s + jetData(u"jet-kvel-ver19.mdb"_s)});
    ASSERT_EQ(result.exitCode, DictExitCode::Success) << result.err.toStdString();
    const QStringList merged = {u"abacus | abakus | -1"_s, u"zebra | zebra | -1"_s};
    EXPECT_EQ(storedRows(out), tsvRows(u"jet-sample.tsv"_s) + merged);
    EXPECT_EQ(SqliteDictionaryStore(out).readVersion(), u"2.5"_s); // not the file's 1.9
}

TEST(JetDictionaryReaderTest, AnUnreadableAccessSourceFailsTheBuild)
{
    QTemporaryDir dir;
    const QString bad = dir.filePath(u"bad.mdb"_s);
    writeFile(bad, "not a database");
    const QString out = dir.filePath(u"out.mdb"_s);
    const DictCommandResult result = runDictCommand({u"build"_s, u"-o"_s, out, u"access:"_s + bad});
    EXPECT_EQ(result.exitCode, DictExitCode::BuildFailed);
    EXPECT_TRUE(result.err.startsWith(u"kvel-dict: "_s + bad)) << result.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

TEST(JetDictionaryReaderTest, KeepsAHundredThousandCharacterMeaningWhole)
{
    // Longer than the buffer the reading starts with, in UTF-8 and in UCS-2.
    QString meaning;
    for (int i = 1; meaning.size() < 100'000; ++i)
        meaning += u"značenje broj %1 (ćuška, džem, šuma, žaba, Ђорђе); "_s.arg(i);
    meaning.truncate(100'000 - 4);
    meaning += u"kraj"_s;
    QTemporaryDir dir;
    const QString jet = dir.filePath(u"long.mdb"_s);
    writeJetWithLongMeaning(jet, meaning);

    const auto meaningOfLong = [](const QList<DictionaryRow>& rows) {
        for (const DictionaryRow& row : rows) {
            if (row.word == u"long")
                return row.meaning;
        }
        return u"(no row \"long\")"_s;
    };
    const JetDictionary dictionary = readJetDictionary(jet);
    EXPECT_EQ(meaningOfLong(dictionary.rows).size(), 100'000);
    EXPECT_EQ(meaningOfLong(dictionary.rows), meaning);
    EXPECT_EQ(dictionary.rows.size(), tsvRows(u"jet-sample.tsv"_s).size());

    const QString out = dir.filePath(u"out.mdb"_s);
    const DictCommandResult result = runDictCommand({u"build"_s, u"-o"_s, out, u"access:"_s + jet});
    ASSERT_EQ(result.exitCode, DictExitCode::Success) << result.err.toStdString();
    SqliteDictionaryStore store(out);
    EXPECT_EQ(meaningOfLong(*store.findRows(SearchLanguage::Both, FindMethod::Whole, u"long"_s, 1)),
              meaning);
}
