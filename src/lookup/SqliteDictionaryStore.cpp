#include "SqliteDictionaryStore.h"

#include "TextFolding.h"

#include <QFile>
#include <sqlite3.h>
#include <sys/stat.h>

namespace kvel {

namespace {

// A query must never freeze the bar; a writer holding the file gets this long.
constexpr int kBusyTimeoutMs = 200;

QString columnText(sqlite3_stmt* statement, int column)
{
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(statement, column));
    if (!text)
        return QString();
    return QString::fromUtf16(text, sqlite3_column_bytes16(statement, column) / 2);
}

// kvel_match(Word, foldedPhrase, method): the matching rule as an SQL function,
// because SQLite's LIKE folds ASCII letters only.
void matchFunction(sqlite3_context* context, int, sqlite3_value** values)
{
    const auto* word = static_cast<const char16_t*>(sqlite3_value_text16(values[0]));
    const auto* phrase = static_cast<const char16_t*>(sqlite3_value_text16(values[1]));
    if (!word || !phrase) {
        sqlite3_result_int(context, 0);
        return;
    }
    const QString foldedWord =
        foldForMatching(QString::fromUtf16(word, sqlite3_value_bytes16(values[0]) / 2));
    const QStringView foldedPhrase(phrase, sqlite3_value_bytes16(values[1]) / 2);
    const auto method = static_cast<FindMethod>(sqlite3_value_int(values[2]));
    sqlite3_result_int(context, matchesFolded(foldedWord, foldedPhrase, method) ? 1 : 0);
}

class Statement
{
public:
    Statement(sqlite3* db, const char* sql)
    {
        if (db)
            sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    explicit operator bool() const { return m_statement != nullptr; }
    sqlite3_stmt* get() const { return m_statement; }

    void bindText(int index, const QString& text)
    {
        sqlite3_bind_text16(m_statement, index, text.utf16(), int(text.size() * 2),
                            SQLITE_TRANSIENT);
    }
    void bindInt(int index, int value) { sqlite3_bind_int(m_statement, index, value); }

private:
    sqlite3_stmt* m_statement = nullptr;
};

const char* findRowsSql(SearchLanguage language)
{
    // NOT INDEXED keeps the scan in the table's stored order even if someone
    // added an index to the file.
    switch (language) {
    case SearchLanguage::English:
        return "select Word, Meaning, Selected from TblKvel not indexed "
               "where Selected = -1 and kvel_match(Word, ?1, ?2) limit ?3";
    case SearchLanguage::Serbian:
        return "select Word, Meaning, Selected from TblKvel not indexed "
               "where Selected = 0 and kvel_match(Word, ?1, ?2) limit ?3";
    case SearchLanguage::Both:
        break;
    }
    return "select Word, Meaning, Selected from TblKvel not indexed "
           "where kvel_match(Word, ?1, ?2) limit ?3";
}

} // namespace

SqliteDictionaryStore::SqliteDictionaryStore(QString path) : m_path(std::move(path)) {}

SqliteDictionaryStore::~SqliteDictionaryStore()
{
    close();
}

void SqliteDictionaryStore::close()
{
    sqlite3_close(m_db);
    m_db = nullptr;
}

SqliteDictionaryStore::FileIdentity SqliteDictionaryStore::identify(const QString& path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    return {true, quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
            qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

sqlite3* SqliteDictionaryStore::connection()
{
    const FileIdentity current = identify(m_path);
    if (m_db && current == m_openedFile)
        return m_db;
    close();
    if (!current.exists)
        return nullptr;

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(m_path).constData(), &db, SQLITE_OPEN_READONLY,
                        nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_create_function(db, "kvel_match", 3, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr,
                            matchFunction, nullptr, nullptr);
    m_db = db;
    m_openedFile = current;
    return m_db;
}

std::optional<QList<DictionaryRow>> SqliteDictionaryStore::findRows(SearchLanguage language,
                                                                    FindMethod method,
                                                                    const QString& phrase,
                                                                    int limit)
{
    Statement statement(connection(), findRowsSql(language));
    if (!statement)
        return std::nullopt;
    statement.bindText(1, foldForMatching(phrase));
    statement.bindInt(2, int(method));
    statement.bindInt(3, limit);

    QList<DictionaryRow> rows;
    int step;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
        rows.append({columnText(statement.get(), 0), columnText(statement.get(), 1),
                     sqlite3_column_int(statement.get(), 2)});
    }
    if (step != SQLITE_DONE)
        return std::nullopt;
    return rows;
}

QString SqliteDictionaryStore::queryMeaning(const QString& phrase, int selected)
{
    Statement statement(connection(), "select Meaning from TblKvel not indexed "
                                      "where Selected = ?2 and kvel_match(Word, ?1, ?3) limit 2");
    if (!statement)
        return QString();
    statement.bindText(1, foldForMatching(phrase));
    statement.bindInt(2, selected);
    statement.bindInt(3, int(FindMethod::Whole));

    QString meaning;
    int rows = 0;
    int step;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
        meaning = columnText(statement.get(), 0);
        ++rows;
    }
    return step == SQLITE_DONE && rows == 1 ? meaning : QString();
}

QString SqliteDictionaryStore::readVersion()
{
    Statement statement(connection(), "select * from TblVer limit 1");
    if (!statement || sqlite3_step(statement.get()) != SQLITE_ROW)
        return QString();
    for (int column = 0; column < sqlite3_column_count(statement.get()); ++column) {
        if (sqlite3_stricmp(sqlite3_column_name(statement.get(), column), "Ver") == 0)
            return columnText(statement.get(), column);
    }
    return QString();
}

} // namespace kvel
