// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/DictdReader.h"

#include "DictTestFiles.h"
#include "kvel-dict/BuildError.h"
#include "support/QtPrinters.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvel::dictbuild;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

const QList<std::pair<QString, QString>> kArticles = {
    {u"00-database-info"_s, u"00-database-info\nA test dictionary\n"_s},
    {u"00databaseutf8"_s, u"00databaseutf8\n"_s},
    {u"house"_s, u"house /haus/\nкућа\n"_s},
    {u"a"_s, u"a /ə/\n1. у\n2. когод, неко\n"_s},
};

const QList<SourceEntry> kEntries = {
    {u"house"_s, {u"кућа"_s}},
    {u"a"_s, {u"у"_s, u"когод"_s, u"неко"_s}},
};

class DictdReaderTest : public testing::Test
{
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    QString messageOf(const QString& source) const
    {
        try {
            readDictdDictionary(source);
        } catch (const BuildError& error) {
            return error.message();
        }
        return u"accepted"_s;
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(DictdReaderTest, ReadsPlainAndDictzipDataByEitherName)
{
    writeDictd(path(u"plain"_s), kArticles);
    writeDictd(path(u"zipped"_s), kArticles, true);
    for (const QString& name :
         {u"plain"_s, u"plain.index"_s, u"zipped"_s, u"zipped.index"_s, u"zipped.dict.dz"_s}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(readDictdDictionary(path(name)), kEntries);
    }
}

TEST_F(DictdReaderTest, ReadsEveryGzipMember)
{
    writeDictd(path(u"d"_s), kArticles);
    const QByteArray dict = readFile(path(u"d.dict"_s));
    QFile::remove(path(u"d.dict"_s));
    writeFile(path(u"d.dict.dz"_s), gzip(dict.first(40)) + gzip(dict.sliced(40)));
    EXPECT_EQ(readDictdDictionary(path(u"d"_s)), kEntries);
}

TEST_F(DictdReaderTest, ReportsDamagedInputNamingTheFile)
{
    const QString base = path(u"d"_s);
    writeDictd(base, kArticles, true);
    const QByteArray zipped = readFile(base + u".dict.dz"_s);

    writeFile(base + u".dict.dz"_s, zipped.first(zipped.size() - 12));
    EXPECT_EQ(messageOf(base),
              base + u".dict.dz: not a valid gzip/dictzip file (the data ends early)"_s);

    writeFile(base + u".dict.dz"_s, "plain text, not gzip");
    EXPECT_TRUE(messageOf(base).startsWith(base + u".dict.dz: not a valid gzip/dictzip file ("_s));

    QFile::remove(base + u".dict.dz"_s);
    EXPECT_EQ(messageOf(base), base + u".index: neither "_s + base + u".dict nor "_s + base +
                                   u".dict.dz exists beside it"_s);

    EXPECT_TRUE(messageOf(path(u"none"_s)).startsWith(path(u"none.index: cannot read"_s)));
}

TEST_F(DictdReaderTest, ArticlePastTheEndNamesTheIndexLine)
{
    const QString base = path(u"d"_s);
    writeDictd(base, kArticles);
    const QByteArray dict = readFile(base + u".dict"_s);
    writeFile(base + u".dict"_s, dict.chopped(1));
    const qsizetype length = kArticles.back().second.toUtf8().size();
    EXPECT_EQ(messageOf(base), u"%1.index:4: \"a\" lies past the end of the .dict data "_s
                               "(offset %2 + length %3 > %4 bytes)"_s.arg(base)
                                   .arg(dict.size() - length)
                                   .arg(length)
                                   .arg(dict.size() - 1));
}

TEST_F(DictdReaderTest, InvalidUtf8ArticleNamesTheIndexLine)
{
    const QString base = path(u"d"_s);
    writeDictd(base, {{u"house"_s, u"house\n"_s}, {u"cat"_s, u"cat\n"_s}});
    writeFile(base + u".dict"_s, "house\nca\xFF\n");
    EXPECT_EQ(messageOf(base), base + u".index:2: the article of \"cat\" is not valid UTF-8"_s);
}

TEST_F(DictdReaderTest, MetaEntriesNeedNotBeText)
{
    const QString base = path(u"d"_s);
    writeDictd(base, {{u"00databaseinfo"_s, u"xx\n"_s}, {u"cat"_s, u"cat /kæt/\nmačka\n"_s}});
    writeFile(base + u".dict"_s, readFile(base + u".dict"_s).replace("xx", "\xFF\xFE"));
    EXPECT_EQ(readDictdDictionary(base), (QList<SourceEntry>{{u"cat"_s, {u"mačka"_s}}}));
}
