// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/store/DictionaryStore.h"

#include <QList>
#include <QString>
#include <optional>

struct sqlite3;

namespace kvel::dictbuild {

// Writes a complete dictionary file: TblKvel with the rows in the given order
// (rowid order is the stored order the lookup relies on) and TblVer with the
// version (no row without one). The file is built under a temporary name beside the target and
// renamed over it only when complete, so a failed build leaves the old dictionary as it was.
class SqliteDictionaryWriter
{
public:
    explicit SqliteDictionaryWriter(QString targetPath);

    // Throws BuildError naming the target when the file cannot be written.
    void write(const QList<DictionaryRow>& rows, const std::optional<QString>& version);

private:
    void createTables(sqlite3* db);
    void insertRows(sqlite3* db, const QList<DictionaryRow>& rows);
    void insertVersion(sqlite3* db, const QString& version);
    void execute(sqlite3* db, const char* sql);
    [[noreturn]] void fail(const QString& problem) const;

    QString m_targetPath;
};

} // namespace kvel::dictbuild
