// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/store/FileIdentity.h"

#include <QString>
#include <chrono>
#include <functional>

struct sqlite3;

namespace kvel {

// How long one use of a dictionary file may run: a bigger file gets more, so
// that a real dictionary of a million rows is always read whole.
struct ReadBudget
{
    std::chrono::milliseconds time{10000};
    std::chrono::milliseconds timePerMiB{100};
};

// A dictionary file opened read-only through SQLite as untrusted data: only a
// regular file, opened without blocking and read through that very descriptor;
// no views or triggers; TblKvel and TblVer ordinary tables; every use of the
// connection within a time budget. A file that fails any of this, or that
// SQLite finds damaged, is refused until it changes on disk. The connection is kept between queries
// and opened again when the file on disk is replaced.
class ReadOnlyDatabase
{
public:
    // `prepare` runs on every fresh connection, e.g. to register SQL functions.
    explicit ReadOnlyDatabase(QString path, std::function<void(sqlite3*)> prepare = {},
                              ReadBudget budget = {});
    ~ReadOnlyDatabase();
    ReadOnlyDatabase(const ReadOnlyDatabase&) = delete;
    ReadOnlyDatabase& operator=(const ReadOnlyDatabase&) = delete;

    // The connection to the file as it is now, with its budget started afresh
    // for the use that follows; null when the file cannot be opened or was refused.
    sqlite3* connection();
    // The file the current connection reads.
    const FileIdentity& openedFile() const { return m_openedFile; }
    const QString& path() const { return m_path; }
    ReadBudget budget() const { return m_budget; }

    // Whether the use since the last connection() showed the file unusable:
    // it ran past its budget (and was stopped), or SQLite found the file
    // damaged, which a second read may not notice. The file is then refused
    // at the next connection().
    bool lastUseRefusesFile() const;
    // Refuses the file the connection reads until it changes on disk.
    void refuse();
    bool refused() const { return m_refused; }

private:
    void close();
    void open();
    static int checkBudget(void* self);

    QString m_path;
    std::function<void(sqlite3*)> m_prepare;
    ReadBudget m_budget;
    sqlite3* m_db = nullptr;
    FileIdentity m_lookedAt;   // the path as it was when last opened
    FileIdentity m_openedFile; // the file that open read
    bool m_refused = false;
    std::chrono::steady_clock::duration m_allowed{};
    std::chrono::steady_clock::time_point m_deadline;
    bool m_budgetRanOut = false;
};

} // namespace kvel
