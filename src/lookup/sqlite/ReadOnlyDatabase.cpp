// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/sqlite/ReadOnlyDatabase.h"

#include "lookup/sqlite/DescriptorVfs.h"
#include "lookup/sqlite/DictionarySchema.h"

#include <sqlite3.h>
#include <unistd.h>

namespace kvel {

namespace {

// A query must never freeze the bar; a writer holding the file gets this long.
constexpr int kBusyTimeoutMs = 200;
// The budget is looked at after this many steps of SQLite's machine.
constexpr int kStepsBetweenBudgetChecks = 1000;
// The longest text or blob read: far above any real meaning, far below what
// a damaged length field could make SQLite allocate.
constexpr int kLongestValueBytes = 64 << 20;

// The settings that keep SQL stored in the file from running: no views or
// triggers, no functions of ours in the schema, no writing, no memory map of
// a file that may shrink under us, and a page cache of SQLite's default size
// whatever the file asks for.
bool makeUntrusted(sqlite3* db)
{
    const int off = 0;
    const int on = 1;
    const bool configured =
        sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_VIEW, off, nullptr) == SQLITE_OK &&
        sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, off, nullptr) == SQLITE_OK &&
        sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, off, nullptr) == SQLITE_OK &&
        sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, on, nullptr) == SQLITE_OK;
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, kLongestValueBytes);
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
    return configured && sqlite3_exec(db,
                                      "pragma query_only = on; pragma mmap_size = 0; "
                                      "pragma cell_size_check = on; pragma cache_size = -2000",
                                      nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace

ReadOnlyDatabase::ReadOnlyDatabase(QString path, std::function<void(sqlite3*)> prepare,
                                   ReadBudget budget)
    : m_path(std::move(path)), m_prepare(std::move(prepare)), m_budget(budget)
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
    m_refused = false;
}

void ReadOnlyDatabase::refuse()
{
    sqlite3_close(m_db);
    m_db = nullptr;
    m_refused = true;
}

int ReadOnlyDatabase::checkBudget(void* self)
{
    auto* database = static_cast<ReadOnlyDatabase*>(self);
    if (std::chrono::steady_clock::now() < database->m_deadline)
        return 0;
    database->m_budgetRanOut = true;
    return 1;
}

bool ReadOnlyDatabase::lastUseRefusesFile() const
{
    // SQLite checks a page when it first reads it, so a damaged page may
    // fail one query and be read as it is by the next.
    const int lastError = m_db ? sqlite3_errcode(m_db) : SQLITE_OK;
    return m_budgetRanOut || lastError == SQLITE_CORRUPT || lastError == SQLITE_NOTADB;
}

sqlite3* ReadOnlyDatabase::connection()
{
    if (lastUseRefusesFile())
        refuse();
    const FileIdentity current = FileIdentity::of(m_path);
    if (current != m_lookedAt || !(m_db || m_refused)) {
        close();
        m_lookedAt = current;
        open();
    }
    m_deadline = std::chrono::steady_clock::now() + m_allowed;
    m_budgetRanOut = false;
    return m_db;
}

void ReadOnlyDatabase::open()
{
    const int descriptor = openForReadingWithoutBlocking(m_path);
    if (descriptor < 0)
        return;
    m_openedFile = FileIdentity::ofDescriptor(descriptor);
    if (!m_openedFile.exists) {
        ::close(descriptor);
        m_refused = true;
        return;
    }
    m_allowed = m_budget.time + m_budget.timePerMiB * (m_openedFile.size >> 20);
    m_deadline = std::chrono::steady_clock::now() + m_allowed;
    m_budgetRanOut = false;

    // SQLite opens the descriptor's own file, so nothing can swap the file
    // between the check above and the reading. Its descriptor stays open
    // after ours is closed; closing ours now, while SQLite holds no lock on
    // the file, cannot drop one of its locks.
    const QByteArray name = "/proc/self/fd/" + QByteArray::number(descriptor);
    const int opened =
        sqlite3_open_v2(name.constData(), &m_db, SQLITE_OPEN_READONLY, descriptorVfsName());
    ::close(descriptor);
    if (opened != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
        return;
    }
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    sqlite3_progress_handler(m_db, kStepsBetweenBudgetChecks, checkBudget, this);
    if (!makeUntrusted(m_db) || !dictionaryTablesAreOrdinary(m_db)) {
        refuse();
        return;
    }
    if (m_prepare)
        m_prepare(m_db);
}

} // namespace kvel
