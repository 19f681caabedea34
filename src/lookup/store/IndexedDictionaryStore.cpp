// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/IndexedDictionaryStore.h"

#include "lookup/sqlite/DictionarySchema.h"
#include "lookup/sqlite/SqliteStatement.h"
#include "lookup/store/IndexCache.h"
#include "lookup/store/IndexFileChoice.h"
#include "lookup/store/RowsById.h"
#include "lookup/text/TextFolding.h"
#include "lookup/text/TolerantMatching.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <sqlite3.h>
#include <utility>

namespace kvel {

namespace {

// The folded phrase as SQLite hands it to the plain query's match function.
// The file stores UTF-8, and a lone surrogate does not survive the way there
// and back; a well-formed text comes back unchanged and skips the trip.
QString foldedAsStored(sqlite3* db, const QString& phrase)
{
    const QString folded = foldForMatching(phrase);
    if (std::none_of(folded.cbegin(), folded.cend(), [](QChar c) { return c.isSurrogate(); }))
        return folded;
    SqliteStatement statement(db, "select ?1");
    statement.bindText(1, folded);
    return statement && sqlite3_step(statement.get()) == SQLITE_ROW ? statement.text(0) : folded;
}

} // namespace

IndexedDictionaryStore::IndexedDictionaryStore(QString path, ReadBudget budget)
    : IndexedDictionaryStore(std::move(path), nullptr, budget)
{}

IndexedDictionaryStore::IndexedDictionaryStore(QString path,
                                               std::shared_ptr<const MappedIndexFile> mapped,
                                               ReadBudget budget)
    : m_database(std::move(path), {}, budget), m_mapped(std::move(mapped))
{
    m_building = std::async(std::launch::async, build, m_database.path(), budget, m_mapped);
}

IndexedDictionaryStore::IndexedDictionaryStore(QString path, IndexFiles files, QString cacheFolder,
                                               ReadBudget budget)
    : m_database(std::move(path), {}, budget), m_files(files), m_cacheFolder(std::move(cacheFolder))
{
    const QString& dictionary = m_database.path();
    const QStringList candidates = files == IndexFiles::Ignore
                                       ? QStringList()
                                       : indexFileCandidates(dictionary, m_cacheFolder);
    const OpenedIndexFile opened = openFirstIndexFile(dictionary, candidates, m_cacheFolder);
    const QString ownCache =
        files == IndexFiles::ReadAndCache ? cachedIndexFile(m_cacheFolder, dictionary) : QString();
    const QString& folder = m_cacheFolder;
    if (opened.adopted) {
        m_building = std::async(std::launch::async, [=, this] {
            // Only m_mapped is set here, before the first query takes the result.
            BuiltIndex built = build(dictionary, budget, opened.file);
            if (built.file != opened.dictionaryFile)
                return build(dictionary, budget); // replaced since it was stamped
            m_mapped = opened.file;
            return built;
        });
    } else if (opened.file && opened.newerThanDictionary) {
        m_mapped = opened.file;
        m_checkedFile = opened.file;
        m_building = std::async(std::launch::async, build, dictionary, budget, m_mapped);
        m_checking = std::async(std::launch::async, checkedIndexFile, dictionary, candidates,
                                opened, ownCache, folder);
    } else {
        m_building = std::async(std::launch::async, [=, this] {
            // Only m_mapped is set here, before the first query takes the result.
            m_mapped = opened.file
                           ? checkedIndexFile(dictionary, candidates, opened, ownCache, folder)
                           : nullptr;
            return build(dictionary, budget, m_mapped);
        });
    }
}

IndexedDictionaryStore::~IndexedDictionaryStore()
{
    // Each of them uses the index or the file mapped.
    if (m_caching.valid())
        m_caching.wait();
    if (m_building.valid())
        m_building.wait();
    if (m_checking.valid())
        m_checking.wait();
}

IndexedDictionaryStore::BuiltIndex
IndexedDictionaryStore::build(const QString& path, ReadBudget budget,
                              std::shared_ptr<const MappedIndexFile> mapped)
{
    ReadOnlyDatabase database(path, {}, budget);
    BuiltIndex built;
    if (sqlite3* db = database.connection()) {
        const std::optional<QByteArray> rowIdName = rowIdNameOfTblKvel(db);
        if (rowIdName && mapped) {
            built.index = std::shared_ptr<const DictionaryIndex>(mapped, &mapped->index());
            built.rowIdName = *rowIdName;
        } else if (rowIdName) {
            DictionaryIndex::Read read = DictionaryIndex::read(db, *rowIdName);
            built.index = std::move(read.index);
            built.rowIdName = *rowIdName;
            built.scanInstead = read.rowIdsOutOfOrder;
        } else {
            built.scanInstead = true;
        }
        built.refused = database.lastUseRefusesFile();
    }
    built.file = database.openedFile();
    return built;
}

const IndexedDictionaryStore::BuiltIndex* IndexedDictionaryStore::current()
{
    if (!m_database.connection())
        return nullptr;
    // From the query after the one that started writing it, never within it.
    takeCachedIndexFile();
    if (m_building.valid()) {
        m_built = m_building.get();
        cacheBuiltIndex();
    }
    takeCheckedIndexFile();
    const FileIdentity& file = m_database.openedFile();
    if (m_mapped && (m_mapped->lost() || m_built.file != file)) {
        m_mapped.reset();
        m_built.file = {};
    }
    if (m_built.file != file) {
        m_built = build(m_database.path(), m_database.budget());
        if (!m_built.scanInstead)
            m_scanning.reset();
        cacheBuiltIndex();
    }
    if (m_built.file != file)
        return nullptr;
    if (m_built.refused) {
        m_database.refuse();
        return nullptr;
    }
    return &m_built;
}

void IndexedDictionaryStore::takeCheckedIndexFile()
{
    using namespace std::chrono_literals;
    if (!m_checking.valid() || m_checking.wait_for(0s) != std::future_status::ready)
        return;
    std::shared_ptr<const MappedIndexFile> checked = m_checking.get();
    // Dropped already (the dictionary replaced, another file taken since), or the one in use.
    if (m_mapped != std::exchange(m_checkedFile, nullptr) || checked == m_mapped)
        return;
    m_mapped = std::move(checked);
    if (!m_mapped)
        m_built.file = {};  // built in memory below
    else if (m_built.index) // not for a table read the plain way
        m_built.index = std::shared_ptr<const DictionaryIndex>(m_mapped, &m_mapped->index());
}

void IndexedDictionaryStore::cacheBuiltIndex()
{
    if (m_files != IndexFiles::ReadAndCache || m_mapped || !m_built.index || m_built.scanInstead ||
        m_built.refused || !m_built.file.exists)
        return;
    if (m_caching.valid())
        m_caching.wait();
    m_cachedFrom = m_built.file;
    m_caching =
        std::async(std::launch::async, [index = m_built.index, dictionary = m_database.path(),
                                        read = m_built.file, folder = m_cacheFolder] {
            return writeCachedIndex(*index, dictionary, read, folder);
        });
}

void IndexedDictionaryStore::takeCachedIndexFile()
{
    using namespace std::chrono_literals;
    if (!m_caching.valid() || m_caching.wait_for(0s) != std::future_status::ready)
        return;
    std::shared_ptr<const MappedIndexFile> cached = m_caching.get();
    // Not when the file was indexed again meanwhile. A lookup holds no index
    // between queries, so the one in memory can go now.
    if (!cached || m_mapped || !m_built.index || m_built.scanInstead ||
        m_built.file != m_cachedFrom)
        return;
    m_mapped = std::move(cached);
    m_built.index = std::shared_ptr<const DictionaryIndex>(m_mapped, &m_mapped->index());
}

SqliteDictionaryStore& IndexedDictionaryStore::scanning()
{
    if (!m_scanning)
        m_scanning =
            std::make_unique<SqliteDictionaryStore>(m_database.path(), m_database.budget());
    return *m_scanning;
}

std::optional<QList<DictionaryRow>> IndexedDictionaryStore::findRows(SearchLanguage language,
                                                                     FindMethod method,
                                                                     const QString& phrase,
                                                                     int limit)
{
    const BuiltIndex* built = current();
    if (!built)
        return std::nullopt;
    if (built->scanInstead)
        return scanning().findRows(language, method, phrase, limit);
    return readRows(*built, [&](const DictionaryIndex& dictionary) {
        return dictionary.find(language, method, foldedAsStored(m_database.connection(), phrase),
                               limit);
    });
}

std::optional<QList<DictionaryRow>>
IndexedDictionaryStore::findOnlyTolerantRows(SearchLanguage language, FindMethod method,
                                             const QString& phrase, int limit)
{
    const BuiltIndex* built = current();
    if (!built)
        return std::nullopt;
    if (built->scanInstead)
        return scanning().findOnlyTolerantRows(language, method, phrase, limit);
    return readRows(*built, [&](const DictionaryIndex& dictionary) {
        const QString folded = foldedAsStored(m_database.connection(), phrase);
        return dictionary.findOnlyTolerant(language, method, folded, tolerantFormOfFolded(folded),
                                           limit);
    });
}

std::optional<QList<DictionaryRow>> IndexedDictionaryStore::readRows(
    const BuiltIndex& built, const std::function<std::vector<qint64>(const DictionaryIndex&)>& find)
{
    if (!built.index)
        return std::nullopt;
    const std::vector<qint64> rowIds = find(*built.index);
    QList<DictionaryRow> rows;
    if (!readRowsById(m_database.connection(), built.rowIdName, rowIds, rows))
        return std::nullopt;
    return rows;
}

QString IndexedDictionaryStore::queryMeaning(const QString& phrase, int selected)
{
    const BuiltIndex* built = current();
    if (built && built->scanInstead)
        return scanning().queryMeaning(phrase, selected);
    if (!built || !built->index)
        return QString();
    const QByteArray sql =
        "select Meaning from TblKvel where " + built->rowIdName + " = ?1 and Selected = ?2";
    SqliteStatement statement(m_database.connection(), sql.constData());
    if (!statement)
        return QString();
    statement.bindInt(2, selected);

    // Rows of the group may still differ in Selected (1, text, ...): SQL says
    // which have exactly this value.
    QString meaning;
    int rows = 0;
    const auto group = DictionaryIndex::groupOf(selected);
    for (const qint64 rowId : built->index->find(
             group, FindMethod::Whole, foldedAsStored(m_database.connection(), phrase), INT_MAX)) {
        statement.bindInt64(1, rowId);
        const int step = sqlite3_step(statement.get());
        if (step == SQLITE_ROW) {
            meaning = statement.text(0);
            if (++rows > 1)
                return QString();
        } else if (step != SQLITE_DONE) {
            return QString();
        }
        sqlite3_reset(statement.get());
    }
    return rows == 1 ? meaning : QString();
}

QString IndexedDictionaryStore::readVersion()
{
    // The version check runs at start-up and must not wait for the index.
    // A file read the plain way is refused by that store when it runs past
    // its budget, and then has no version either.
    if (m_scanning)
        return m_scanning->readVersion();
    return readDictionaryVersion(m_database.connection());
}

std::size_t IndexedDictionaryStore::indexBytes() const
{
    return m_built.index ? m_built.index->memoryBytes() : 0;
}

} // namespace kvel
