#include "ReadOnlyDatabase.h"

#include <QFile>
#include <sqlite3.h>

namespace kvel {

namespace {

// A query must never freeze the bar; a writer holding the file gets this long.
constexpr int kBusyTimeoutMs = 200;

} // namespace

ReadOnlyDatabase::ReadOnlyDatabase(QString path, std::function<void(sqlite3*)> prepare)
    : m_path(std::move(path)), m_prepare(std::move(prepare))
{}

ReadOnlyDatabase::~ReadOnlyDatabase()
{
    close();
}

void ReadOnlyDatabase::close()
{
    sqlite3_close(m_db);
    m_db = nullptr;
    m_openedFile = {};
}

sqlite3* ReadOnlyDatabase::open(const QString& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    return db;
}

sqlite3* ReadOnlyDatabase::connection()
{
    const FileIdentity current = FileIdentity::of(m_path);
    if (m_db && current == m_openedFile)
        return m_db;
    close();
    if (!current.exists)
        return nullptr;
    m_db = open(m_path);
    if (!m_db)
        return nullptr;
    if (m_prepare)
        m_prepare(m_db);
    m_openedFile = current;
    return m_db;
}

} // namespace kvel
