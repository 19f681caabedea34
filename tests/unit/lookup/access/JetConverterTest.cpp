// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/access/JetConverter.h"

#include "JetTestFiles.h"
#include "lookup/store/SqliteDictionaryStore.h"
#include "support/QtPrinters.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

class JetConverterTest : public testing::Test
{
protected:
    QString copyFixture(const QString& name)
    {
        QFile::remove(path);
        QFile::copy(jetData(name), path);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return path;
    }
    // Gives the file a modification time of its own, whatever the clock's resolution.
    void setModified(qint64 secondsSinceEpoch)
    {
        QFile file(path);
        file.open(QIODevice::ReadWrite);
        file.setFileTime(QDateTime::fromSecsSinceEpoch(secondsSinceEpoch),
                         QFileDevice::FileModificationTime);
    }
    QString cache() const { return dir.filePath(u"cache"_s); }
    QStringList cacheEntries() const
    {
        return QDir(cache()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }
    JetConverter fakeConverter(const QByteArray& script, JetConverter::Limits limits = {}) const
    {
        return JetConverter(writeScript(dir.filePath(u"fake-kvel-dict"_s), script), cache(),
                            limits);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(u"kvel.mdb"_s);
};

} // namespace

TEST_F(JetConverterTest, ConvertsIntoTheCacheOnceAndReadsTheCopyAfterwards)
{
    copyFixture(u"jet-kvel.mdb"_s);
    const std::optional<QString> converted = realConverter(cache()).convert(path);
    ASSERT_TRUE(converted);
    EXPECT_EQ(QFileInfo(*converted).absolutePath(), QFileInfo(cache()).absoluteFilePath());
    EXPECT_EQ(cacheEntries(), QStringList{QFileInfo(*converted).fileName()});
    EXPECT_EQ(SqliteDictionaryStore(*converted).readVersion(), u"2.5"_s);

    // A converter that always fails is not needed while the copy is there.
    EXPECT_EQ(fakeConverter("exit 1").convert(path), converted);
}

TEST_F(JetConverterTest, AChangedFileIsConvertedAgainAndTheOldCopyRemoved)
{
    copyFixture(u"jet-kvel.mdb"_s);
    setModified(1700000000);
    const std::optional<QString> first = realConverter(cache()).convert(path);
    copyFixture(u"jet-kvel-ver19.mdb"_s); // the same size
    setModified(1700000100);
    const std::optional<QString> second = realConverter(cache()).convert(path);
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);
    EXPECT_FALSE(QFileInfo::exists(*first));
    EXPECT_EQ(SqliteDictionaryStore(*second).readVersion(), u"1.9"_s);
    EXPECT_EQ(cacheEntries().size(), 1);
}

TEST_F(JetConverterTest, AFailedOrStoppedConversionLeavesNothingBehind)
{
    struct Case
    {
        const char* what;
        QByteArray script;
    };
    const Case cases[] = {
        {"fails", "exit 1"},
        {"crashes", "kill -SEGV $$"},
        {"fails after writing", "echo partial > \"$3\"; exit 3"},
        {"runs past its time", "echo partial > \"$3\"; exec sleep 60"},
    };
    copyFixture(u"jet-kvel.mdb"_s);
    for (const Case& c : cases) {
        EXPECT_EQ(fakeConverter(c.script, {300ms, 0ms, qint64(1) << 30}).convert(path),
                  std::nullopt)
            << c.what;
        EXPECT_EQ(cacheEntries(), QStringList()) << c.what;
    }
    EXPECT_EQ(JetConverter(dir.filePath(u"no-such-program"_s), cache(), {}).convert(path),
              std::nullopt);
}

TEST_F(JetConverterTest, TheChildRunsWithLimitsOnMemoryAndOutput)
{
    copyFixture(u"jet-kvel.mdb"_s);
    const QString report = dir.filePath(u"report"_s);
    fakeConverter("{ echo \"$1 $2 $4\"; ulimit -v; ulimit -f; } > \"$(dirname \"$0\")/report\"",
                  {20s, 0ms, qint64(256) << 20})
        .convert(path);
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const QStringList expected = {
        u"build -o access:"_s + canonical,
        QString::number(256 * 1024),                     // KiB
        QString::number(((64 << 20) + 4 * 45056) / 512), // 512-byte blocks
    };
    EXPECT_EQ(QString::fromUtf8(readBytes(report)).trimmed().split(u'\n'), expected);
}

TEST_F(JetConverterTest, NothingForAMissingFileOrAnUnusableCache)
{
    EXPECT_EQ(realConverter(cache()).convert(path), std::nullopt);
    copyFixture(u"jet-kvel.mdb"_s);
    const QString notAFolder = dir.filePath(u"file"_s);
    writeBytes(notAFolder, "x");
    EXPECT_EQ(realConverter(notAFolder + u"/kvel"_s).convert(path), std::nullopt);
}
