// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/DictionaryFileFormat.h"

#include "unit/lookup/access/JetTestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

// All the bytes of a literal, NULs included.
template <std::size_t N> QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

} // namespace

TEST(DictionaryFileFormatTest, TellsTheFormatFromTheFirstBytes)
{
    struct Case
    {
        QByteArray bytes;
        DictionaryFileFormat format;
    };
    const Case cases[] = {
        {bytes("SQLite format 3\0rest"), DictionaryFileFormat::Sqlite},
        {bytes("\0\1\0\0Standard Jet DB\0"), DictionaryFileFormat::Jet},
        {bytes("\0\1\0\0Standard ACE DB\0"), DictionaryFileFormat::Jet},
        {bytes("\0\1\0\0Standard Jet DB"), DictionaryFileFormat::Jet}, // nothing after
        {bytes("SQLite format 3"), DictionaryFileFormat::Unknown},     // no NUL
        {bytes("Standard Jet DB\0\0\0\0\0"), DictionaryFileFormat::Unknown},
        {bytes("\0\1\0\0Standard Jet"), DictionaryFileFormat::Unknown}, // cut short
        {bytes("\0\1\0"), DictionaryFileFormat::Unknown},
        {QByteArray(), DictionaryFileFormat::Unknown},
        {bytes("word\tmeaning\n"), DictionaryFileFormat::Unknown},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(u"kvel.mdb"_s);
    for (const Case& c : cases) {
        writeBytes(path, c.bytes);
        EXPECT_EQ(detectDictionaryFormat(path), c.format) << c.bytes.toHex().toStdString();
    }
}

TEST(DictionaryFileFormatTest, GenuineFilesAndMissingOnes)
{
    QTemporaryDir dir;
    const QString sqlite = dir.filePath(u"kvel.mdb"_s);
    writeDictionary(sqlite, {{u"house"_s, u"kuća"_s, -1}});
    EXPECT_EQ(detectDictionaryFormat(sqlite), DictionaryFileFormat::Sqlite);
    EXPECT_EQ(detectDictionaryFormat(jetData(u"jet-kvel.mdb"_s)), DictionaryFileFormat::Jet);
    EXPECT_EQ(detectDictionaryFormat(dir.filePath(u"none.mdb"_s)), DictionaryFileFormat::Unknown);
    EXPECT_EQ(detectDictionaryFormat(dir.path()), DictionaryFileFormat::Unknown);
}
