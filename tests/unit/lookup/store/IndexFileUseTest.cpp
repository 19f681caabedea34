// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/file/ContentDigest.h"
#include "lookup/index/file/IndexFileLocation.h"
#include "lookup/index/file/IndexFileMaking.h"
#include "lookup/index/file/MappedIndexFile.h"
#include "lookup/store/AdoptionStamp.h"
#include "lookup/store/FileIdentity.h"
#include "lookup/store/IndexFileChoice.h"
#include "lookup/store/IndexedDictionaryStore.h"
#include "support/QtPrinters.h"
#include "support/TestDictionary.h"
#include "unit/lookup/LookupTestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
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

// Asks until `holds`: the store checks an index file in the background.
// Generous, as the machine may be busy.
bool eventually(const std::function<bool()>& holds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!holds()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

bool answersInTime(IndexedDictionaryStore& store, const QStringList& meanings)
{
    return eventually([&] { return meaningsOf(store, u"house"_s) == meanings; });
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
    QString stamp(const QString& dictionary) const
    {
        return AdoptionStamp::pathFor(cacheFolder(), dictionary);
    }
    bool adopted(const QString& dictionary) const
    {
        return openFirstIndexFile(dictionary, indexFileCandidates(dictionary, cacheFolder()),
                                  cacheFolder())
            .adopted;
    }
    // Opens the dictionary, looks up and closes it, which waits for its check.
    void useOnce(const QString& dictionary, IndexFiles files)
    {
        IndexedDictionaryStore store(dictionary, files, cacheFolder());
        store.findRows(SearchLanguage::English, FindMethod::Whole, u"house"_s, 10);
    }
    static void writeFile(const QString& file, const QByteArray& bytes)
    {
        QFile handle(file);
        ASSERT_TRUE(handle.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(handle.write(bytes), bytes.size());
    }
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
        // Once written, the file replaces the index in memory from a later query on.
        EXPECT_TRUE(eventually([&] {
            EXPECT_EQ(meaningsOf(store, u"house"_s), QStringList{u"kuća"_s});
            return store.usesIndexFile();
        }));
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

TEST_F(IndexFileUseTest, ALinkInPlaceOfTheCacheFileIsReplacedNotWrittenThrough)
{
    test::writeDictionary(path, kOldRows);
    const QString outside = dir.filePath(u"outside.txt"_s);
    writeFile(outside, "not Kvel's");
    ASSERT_TRUE(QDir().mkpath(cacheFolder()));
    ASSERT_TRUE(QFile::link(outside, cached()));
    useOnce(path, IndexFiles::ReadAndCache);
    QFile target(outside);
    ASSERT_TRUE(target.open(QIODevice::ReadOnly));
    EXPECT_EQ(target.readAll(), "not Kvel's");
    EXPECT_FALSE(QFileInfo(cached()).isSymLink());
    EXPECT_TRUE(MappedIndexFile::open(cached()));
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

TEST_F(IndexFileUseTest, AnIndexFileCheckedOnceIsAdoptedUntilEitherFileChanges)
{
    // Each change leaves the index file unadopted, checked again at the next
    // opening and then adopted again.
    struct Change
    {
        const char* name;
        std::function<void(const QString& index)> make;
    };
    const Change changes[] = {
        {"none",
         [](const QString&) {
         }},
        {"dictionary touched",
         [&](const QString&) {
             setModified(path, +120);
         }},
        {"index touched",
         [](const QString& index) {
             setModified(index, +60);
         }},
        {"index rewritten in place, same bytes",
         [](const QString& index) {
             QFile file(index);
             ASSERT_TRUE(file.open(QIODevice::ReadOnly));
             const QByteArray bytes = file.readAll();
             file.close();
             std::this_thread::sleep_for(std::chrono::milliseconds(20));
             writeFile(index, bytes);
         }},
        {"stamp garbage",
         [&](const QString&) {
             writeFile(stamp(path), "1 2 3\n/x\n");
         }},
        {"stamp empty",
         [&](const QString&) {
             writeFile(stamp(path), "");
         }},
        {"stamp huge",
         [&](const QString&) {
             QFile file(stamp(path));
             ASSERT_TRUE(file.open(QIODevice::Append));
             file.write(QByteArray(64 * 1024, '\n'));
         }},
        {"stamp writable by others",
         [&](const QString&) {
             ASSERT_TRUE(QFile::setPermissions(stamp(path), QFile::permissions(stamp(path)) |
                                                                QFile::WriteOther));
         }},
        {"stamp a symbolic link to a sound one",
         [&](const QString&) {
             const QString target = dir.filePath(u"elsewhere.ok"_s);
             QFile::remove(target);
             ASSERT_TRUE(QFile::rename(stamp(path), target));
             ASSERT_TRUE(QFile::link(target, stamp(path)));
         }},
    };
    const struct
    {
        const char* name;
        IndexFiles files;
    } places[] = {{"beside the dictionary", IndexFiles::Read},
                  {"in the cache", IndexFiles::ReadAndCache}};
    for (const auto& place : places) {
        SCOPED_TRACE(place.name);
        QFile::remove(path);
        test::writeDictionary(path, kOldRows);
        if (place.files == IndexFiles::Read) {
            ASSERT_TRUE(makeIndexFile(path, indexFileBeside(path)));
        } else {
            QFile::remove(indexFileBeside(path));
            useOnce(path, place.files); // writes the cache file
        }
        EXPECT_EQ(adopted(path), place.files == IndexFiles::ReadAndCache);
        useOnce(path, place.files);
        for (const Change& change : changes) {
            SCOPED_TRACE(change.name);
            ASSERT_TRUE(adopted(path));
            change.make(place.files == IndexFiles::Read ? indexFileBeside(path) : cached());
            EXPECT_EQ(adopted(path), change.name == std::string_view("none"));
            {
                IndexedDictionaryStore store(path, place.files, cacheFolder());
                EXPECT_EQ(meaningsOf(store, u"house"_s), QStringList{u"kuća"_s});
                EXPECT_TRUE(store.usesIndexFile());
            }
            EXPECT_TRUE(adopted(path));
        }
        // Only stamps are written for an index file beside the dictionary.
        const QStringList written = QDir(cacheFolder()).entryList(QDir::Files);
        EXPECT_EQ(written.size(), place.files == IndexFiles::Read ? 1 : 2)
            << written.join(u' ').toStdString();
    }
}

TEST_F(IndexFileUseTest, ADictionaryReplacedAfterAdoptionIsNotAnsweredFromItsOldIndex)
{
    test::writeDictionary(path, kOldRows);
    ASSERT_TRUE(makeIndexFile(path, indexFileBeside(path)));
    useOnce(path, IndexFiles::Read);
    ASSERT_TRUE(adopted(path));
    replaceDictionary(kNewRows);
    setModified(indexFileBeside(path), +60); // as if made after the dictionary

    EXPECT_FALSE(adopted(path));
    IndexedDictionaryStore store(path, IndexFiles::Read, cacheFolder());
    EXPECT_TRUE(answersInTime(store, {u"dom"_s}));
    EXPECT_FALSE(store.usesIndexFile());
}

TEST_F(IndexFileUseTest, CleaningTheCacheKeepsStampsThatHoldAndRemovesStaleOnes)
{
    const QString kept = dir.filePath(u"kept.mdb"_s);
    const QString gone = dir.filePath(u"gone.mdb"_s);
    for (const QString& dictionary : {kept, gone}) {
        test::writeDictionary(dictionary, kOldRows);
        ASSERT_TRUE(makeIndexFile(dictionary, indexFileBeside(dictionary)));
        useOnce(dictionary, IndexFiles::Read);
        ASSERT_TRUE(QFile::exists(stamp(dictionary)));
    }
    ASSERT_TRUE(QFile::remove(gone));
    const QString garbage = QDir(cacheFolder()).filePath(u"0123.kvx.ok"_s);
    writeFile(garbage, "garbage");

    // Writing the cache file of another dictionary cleans the folder.
    test::writeDictionary(path, kOldRows);
    useOnce(path, IndexFiles::ReadAndCache);
    ASSERT_TRUE(QFile::exists(cached()));
    EXPECT_TRUE(QFile::exists(stamp(path)));
    EXPECT_TRUE(QFile::exists(stamp(kept)));
    EXPECT_TRUE(adopted(kept));
    EXPECT_FALSE(QFile::exists(stamp(gone)));
    EXPECT_FALSE(QFile::exists(garbage));
}
