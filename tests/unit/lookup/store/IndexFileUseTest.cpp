// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/file/ContentDigest.h"
#include "lookup/index/file/IndexFileLocation.h"
#include "lookup/index/file/IndexFileMaking.h"
#include "lookup/index/file/MappedIndexFile.h"
#include "lookup/store/FileIdentity.h"
#include "lookup/store/IndexedDictionaryStore.h"
#include "support/QtPrinters.h"
#include "support/TestDictionary.h"
#include "unit/lookup/LookupTestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

// The same headword at other row ids in each version: an index of the other
// version names the wrong rows.
const QList<test::Row> kOldRows = {{u"house"_s, u"kuća"_s, -1}, {u"water"_s, u"voda"_s, -1}};
const QList<test::Row> kNewRows = {
    {u"bread"_s, u"hleb"_s, -1}, {u"stone"_s, u"kamen"_s, -1}, {u"house"_s, u"dom"_s, -1}};

QStringList meaningsOf(IndexedDictionaryStore& store, const QString& phrase)
{
    QStringList meanings;
    const auto rows = store.findRows(SearchLanguage::English, FindMethod::Whole, phrase, 10);
    for (const DictionaryRow& row : rows.value_or(QList<DictionaryRow>()))
        meanings << row.meaning;
    return meanings;
}

// Asks until the answer is `meanings`: the store checks an index file in the
// background. Generous, as the machine may be busy.
bool answersInTime(IndexedDictionaryStore& store, const QStringList& meanings)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (meaningsOf(store, u"house"_s) != meanings) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

class IndexFileUseTest : public test::DictionaryFileTest
{
protected:
    // Replaced as kvel-dict replaces it: a new file renamed over the old one.
    void replaceDictionary(const QList<test::Row>& rows)
    {
        const QString next = dir.filePath(u"next.mdb"_s);
        test::writeDictionary(next, rows);
        ASSERT_EQ(
            std::rename(QFile::encodeName(next).constData(), QFile::encodeName(path).constData()),
            0);
    }
    static void setModified(const QString& file, qint64 secondsFromNow)
    {
        QFile handle(file);
        ASSERT_TRUE(handle.open(QIODevice::ReadWrite));
        ASSERT_TRUE(handle.setFileTime(QDateTime::currentDateTime().addSecs(secondsFromNow),
                                       QFileDevice::FileModificationTime));
    }

    QString cacheFolder() const { return dir.filePath(u"cache/kvel"_s); }
    QString cached() const { return cachedIndexFile(cacheFolder(), path); }
};

} // namespace

TEST_F(IndexFileUseTest, AStaleIndexBesideAReplacedDictionaryIsNotUsed)
{
    // Newer than the dictionary, the stale file is used at once until its
    // digest is checked; older, it waits for the check.
    for (const qint64 indexAge : {+60, -60}) {
        SCOPED_TRACE(indexAge);
        QFile::remove(path);
        test::writeDictionary(path, kOldRows);
        ASSERT_TRUE(makeIndexFile(path, indexFileBeside(path)));
        replaceDictionary(kNewRows);
        setModified(indexFileBeside(path), indexAge);

        IndexedDictionaryStore store(path, IndexFiles::Read, cacheFolder());
        EXPECT_TRUE(answersInTime(store, {u"dom"_s}));
        EXPECT_FALSE(store.usesIndexFile());
    }
    EXPECT_FALSE(QDir(cacheFolder()).exists()); // kvel-lookup writes nothing
}

TEST_F(IndexFileUseTest, TheCacheFileIsWrittenOnceReusedAndRebuiltForANewDictionary)
{
    test::writeDictionary(path, kOldRows);
    {
        IndexedDictionaryStore store(path, IndexFiles::ReadAndCache, cacheFolder());
        EXPECT_EQ(meaningsOf(store, u"house"_s), QStringList{u"kuća"_s});
        EXPECT_FALSE(store.usesIndexFile());
    }
    const FileIdentity written = FileIdentity::of(cached());
    ASSERT_TRUE(written.exists);
    {
        IndexedDictionaryStore store(path, IndexFiles::ReadAndCache, cacheFolder());
        EXPECT_EQ(meaningsOf(store, u"house"_s), QStringList{u"kuća"_s});
        EXPECT_TRUE(store.usesIndexFile());
    }
    EXPECT_EQ(FileIdentity::of(cached()), written);

    replaceDictionary(kNewRows);
    {
        IndexedDictionaryStore store(path, IndexFiles::ReadAndCache, cacheFolder());
        EXPECT_TRUE(answersInTime(store, {u"dom"_s}));
    }
    const std::unique_ptr<MappedIndexFile> rebuilt = MappedIndexFile::open(cached());
    ASSERT_TRUE(rebuilt);
    EXPECT_EQ(rebuilt->contentDigest(), digestOfFile(path));
    IndexedDictionaryStore store(path, IndexFiles::ReadAndCache, cacheFolder());
    EXPECT_EQ(meaningsOf(store, u"house"_s), QStringList{u"dom"_s});
    EXPECT_TRUE(store.usesIndexFile());
}

TEST_F(IndexFileUseTest, ADamagedCacheFileIsReplaced)
{
    struct Case
    {
        const char* name;
        bool inPlace; // bytes of the last section changed, or the whole file replaced
    };
    const Case cases[] = {{"not an index file", false}, {"a section's bytes changed", true}};
    test::writeDictionary(path, kOldRows);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            IndexedDictionaryStore store(path, IndexFiles::ReadAndCache, cacheFolder());
            ASSERT_EQ(meaningsOf(store, u"house"_s), QStringList{u"kuća"_s});
        }
        QFile file(cached());
        ASSERT_TRUE(file.open(c.inPlace ? QIODevice::ReadWrite : QIODevice::WriteOnly));
        if (c.inPlace) {
            ASSERT_TRUE(file.seek(file.size() - 16));
        }
        file.write("damage");
        file.close();
        setModified(cached(), +60);
        {
            IndexedDictionaryStore store(path, IndexFiles::ReadAndCache, cacheFolder());
            EXPECT_TRUE(answersInTime(store, {u"kuća"_s}));
        }
        // Replaced at the latest by the next opening, when the first one
        // ended before taking in its check.
        {
            IndexedDictionaryStore store(path, IndexFiles::ReadAndCache, cacheFolder());
            EXPECT_EQ(meaningsOf(store, u"house"_s), QStringList{u"kuća"_s});
        }
        const std::unique_ptr<MappedIndexFile> replaced = MappedIndexFile::open(cached());
        ASSERT_TRUE(replaced);
        EXPECT_TRUE(replaced->verify());
    }
}

TEST_F(IndexFileUseTest, AnUnwritableCacheFolderKeepsTheIndexInMemory)
{
    test::writeDictionary(path, kOldRows);
    // A file where the folder would be: it cannot be made, even by root.
    QFile blocker(dir.filePath(u"cache"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    for (int opening = 0; opening < 2; ++opening) {
        IndexedDictionaryStore store(path, IndexFiles::ReadAndCache, cacheFolder());
        EXPECT_EQ(meaningsOf(store, u"house"_s), QStringList{u"kuća"_s});
        EXPECT_FALSE(store.usesIndexFile());
    }
}
