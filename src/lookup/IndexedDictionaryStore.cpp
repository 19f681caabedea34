#include "IndexedDictionaryStore.h"

#include "SqliteDictionaryStore.h"
#include "SqliteStatement.h"
#include "TextFolding.h"
#include "TolerantMatching.h"

#include <algorithm>
#include <climits>
#include <sqlite3.h>

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

IndexedDictionaryStore::IndexedDictionaryStore(QString path) : m_database(std::move(path))
{
    m_building = std::async(std::launch::async, build, m_database.path());
}

IndexedDictionaryStore::~IndexedDictionaryStore()
{
    if (m_building.valid())
        m_building.wait();
}

IndexedDictionaryStore::BuiltIndex IndexedDictionaryStore::build(const QString& path)
{
    // The identity is taken before the file is opened: a file replaced in
    // between is then seen as changed and read again, never the other way round.
    BuiltIndex built{FileIdentity::of(path), nullptr};
    if (sqlite3* db = ReadOnlyDatabase::open(path)) {
        built.index = DictionaryIndex::read(db);
        sqlite3_close(db);
    }
    return built;
}

const DictionaryIndex* IndexedDictionaryStore::index()
{
    if (!m_database.connection())
        return nullptr;
    if (m_building.valid())
        m_built = m_building.get();
    const FileIdentity& file = m_database.openedFile();
    if (m_built.file != file || !m_built.index)
        m_built = build(m_database.path());
    return m_built.file == file ? m_built.index.get() : nullptr;
}

std::optional<QList<DictionaryRow>> IndexedDictionaryStore::findRows(SearchLanguage language,
                                                                     FindMethod method,
                                                                     const QString& phrase,
                                                                     int limit)
{
    return readRows([&](const DictionaryIndex& dictionary) {
        return dictionary.find(language, method, foldedAsStored(m_database.connection(), phrase),
                               limit);
    });
}

std::optional<QList<DictionaryRow>>
IndexedDictionaryStore::findOnlyTolerantRows(SearchLanguage language, FindMethod method,
                                             const QString& phrase, int limit)
{
    return readRows([&](const DictionaryIndex& dictionary) {
        const QString folded = foldedAsStored(m_database.connection(), phrase);
        return dictionary.findOnlyTolerant(language, method, folded, tolerantFormOfFolded(folded),
                                           limit);
    });
}

std::optional<QList<DictionaryRow>> IndexedDictionaryStore::readRows(
    const std::function<std::vector<qint64>(const DictionaryIndex&)>& find)
{
    const DictionaryIndex* dictionary = index();
    // Prepared before the search so that a table without the columns shown
    // fails as the plain query does, hits or not.
    SqliteStatement statement(m_database.connection(),
                              "select Word, Meaning, Selected from TblKvel where rowid = ?1");
    if (!dictionary || !statement)
        return std::nullopt;

    QList<DictionaryRow> rows;
    for (const qint64 rowId : find(*dictionary)) {
        statement.bindInt64(1, rowId);
        if (sqlite3_step(statement.get()) != SQLITE_ROW)
            return std::nullopt;
        rows.append({statement.text(0), statement.text(1), sqlite3_column_int(statement.get(), 2)});
        sqlite3_reset(statement.get());
    }
    return rows;
}

QString IndexedDictionaryStore::queryMeaning(const QString& phrase, int selected)
{
    const DictionaryIndex* dictionary = index();
    SqliteStatement statement(m_database.connection(),
                              "select Meaning from TblKvel where rowid = ?1 and Selected = ?2");
    if (!dictionary || !statement)
        return QString();
    statement.bindInt(2, selected);

    // Rows of the group may still differ in Selected (1, text, ...): SQL says
    // which have exactly this value.
    QString meaning;
    int rows = 0;
    const auto group = DictionaryIndex::groupOf(selected);
    for (const qint64 rowId : dictionary->find(
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
    return readDictionaryVersion(m_database.connection());
}

std::size_t IndexedDictionaryStore::indexBytes() const
{
    return m_built.index ? m_built.index->memoryBytes() : 0;
}

} // namespace kvel
