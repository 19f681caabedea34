// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/index/DictionaryIndex.h"
#include "lookup/index/file/IndexFileLocation.h"
#include "lookup/index/file/MappedIndexFile.h"
#include "lookup/sqlite/ReadOnlyDatabase.h"
#include "lookup/store/DictionaryStore.h"
#include "lookup/store/FileIdentity.h"
#include "lookup/store/SqliteDictionaryStore.h"

#include <QString>
#include <functional>
#include <future>
#include <memory>

namespace kvel {

// Which index files a store looks for: none (it builds its index in memory),
// those beside the dictionary or in Kvel's cache folder, and whether it also
// writes one into the cache folder when there was none to use.
enum class IndexFiles
{
    Ignore,
    Read,
    ReadAndCache,
};

// The dictionary file with its headwords indexed in memory, so that a lookup
// reads only the rows it shows, whatever the size of the dictionary. The index
// is built in the background from construction on, so the program starts
// without waiting for it; the first lookup waits if it is not ready. A file
// replaced on disk is indexed again at the next query. Results are those of
// SqliteDictionaryStore, row for row: a table whose row ids cannot give its
// stored order (one without row ids, or a damaged one) is read by that store.
class IndexedDictionaryStore final : public DictionaryStore
{
public:
    explicit IndexedDictionaryStore(QString path, ReadBudget budget = {});
    // Uses `mapped`, an index file made from this dictionary, instead of
    // building the index; the caller vouches that it belongs to the file. The
    // index is built in memory again once the file is replaced on disk or the
    // index file changes under its mapping.
    IndexedDictionaryStore(QString path, std::shared_ptr<const MappedIndexFile> mapped,
                           ReadBudget budget = {});
    // Uses the index file adopted for the dictionary (see AdoptionStamp) at
    // once and unchecked, else the first found (see indexFileCandidates) at
    // once when it was made after the dictionary, checking in the background
    // that it belongs to the dictionary and is sound, and stamping it so; an
    // older one is used once so checked. An index file that fails
    // the check is dropped for the next one found or the index built in
    // memory, and with ReadAndCache that index is written into `cacheFolder`
    // in the background and mapped in its place from the next query on.
    IndexedDictionaryStore(QString path, IndexFiles files, QString cacheFolder = indexCacheFolder(),
                           ReadBudget budget = {});
    ~IndexedDictionaryStore() override;
    IndexedDictionaryStore(const IndexedDictionaryStore&) = delete;
    IndexedDictionaryStore& operator=(const IndexedDictionaryStore&) = delete;

    std::optional<QList<DictionaryRow>> findRows(SearchLanguage language, FindMethod method,
                                                 const QString& phrase, int limit) override;
    std::optional<QList<DictionaryRow>> findOnlyTolerantRows(SearchLanguage language,
                                                             FindMethod method,
                                                             const QString& phrase,
                                                             int limit) override;
    QString queryMeaning(const QString& phrase, int selected) override;
    QString readVersion() override;

    // Bytes held by the index of the file as last read; 0 before that.
    std::size_t indexBytes() const;
    // Whether the last query was answered from an index file.
    bool usesIndexFile() const { return m_mapped != nullptr; }

private:
    struct BuiltIndex
    {
        FileIdentity file;                            // the file read
        std::shared_ptr<const DictionaryIndex> index; // null when TblKvel could not be read
        QByteArray rowIdName;                         // what reads the index's row ids back
        bool scanInstead = false;                     // no row ids in stored order
        bool refused = false;                         // past its budget, or damaged
    };
    // With `mapped`, only what reads the rows back is read from the file.
    static BuiltIndex build(const QString& path, ReadBudget budget,
                            std::shared_ptr<const MappedIndexFile> mapped = nullptr);

    // The index of the file `m_database` reads now; null when there is none.
    const BuiltIndex* current();
    // Takes in the background check of the index file in use when it has
    // ended, without waiting for it.
    void takeCheckedIndexFile();
    // With ReadAndCache, writes an index built in memory into the cache.
    void cacheBuiltIndex();
    // Takes the cache file written in the background, once written, in place
    // of the index in memory it was written from, which is freed.
    void takeCachedIndexFile();
    // Reads the table the plain way, for a file that current() cannot index.
    SqliteDictionaryStore& scanning();
    // The rows whose ids `find` picks in the index, read from the file.
    std::optional<QList<DictionaryRow>>
    readRows(const BuiltIndex& built,
             const std::function<std::vector<qint64>(const DictionaryIndex&)>& find);

    ReadOnlyDatabase m_database;
    std::shared_ptr<const MappedIndexFile> m_mapped;
    IndexFiles m_files = IndexFiles::Ignore;
    QString m_cacheFolder;
    std::future<BuiltIndex> m_building;
    std::future<std::shared_ptr<const MappedIndexFile>> m_checking;
    // The file m_checking checks: its answer stands only while that file is in use.
    std::shared_ptr<const MappedIndexFile> m_checkedFile;
    std::future<std::shared_ptr<const MappedIndexFile>> m_caching;
    FileIdentity m_cachedFrom; // the dictionary the cache file is written from
    BuiltIndex m_built;
    std::unique_ptr<SqliteDictionaryStore> m_scanning;
};

} // namespace kvel
