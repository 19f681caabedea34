// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/RowsById.h"

#include "core/SearchSettings.h"
#include "lookup/sqlite/SelectedColumn.h"
#include "lookup/sqlite/SqliteStatement.h"

#include <algorithm>
#include <sqlite3.h>

namespace kvel {

namespace {

// All the rows one lookup shows are read by one query.
constexpr std::size_t kRowsPerQuery = kMaxResultLines;

bool readSome(sqlite3* db, const QByteArray& rowIdName, std::span<const qint64> rowIds,
              QList<DictionaryRow>& rows)
{
    QByteArray sql = "select Word, Meaning, " + selectedAsRead() + ", " + rowIdName +
                     " from TblKvel where " + rowIdName + " in (?1";
    for (std::size_t parameter = 2; parameter <= rowIds.size(); ++parameter)
        sql += ", ?" + QByteArray::number(qulonglong(parameter));
    sql += ") order by " + rowIdName;
    SqliteStatement statement(db, sql.constData());
    if (!statement)
        return false;
    for (std::size_t parameter = 0; parameter < rowIds.size(); ++parameter)
        statement.bindInt64(int(parameter) + 1, rowIds[parameter]);

    // Every row asked for, in the order asked for, as when each was read by itself.
    std::size_t next = 0;
    int step;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
        if (next == rowIds.size() || sqlite3_column_int64(statement.get(), 3) != rowIds[next])
            return false;
        rows.append({statement.text(0), statement.text(1), sqlite3_column_int(statement.get(), 2)});
        ++next;
    }
    return step == SQLITE_DONE && next == rowIds.size();
}

} // namespace

bool readRowsById(sqlite3* db, const QByteArray& rowIdName, std::span<const qint64> rowIds,
                  QList<DictionaryRow>& rows)
{
    std::size_t at = 0;
    do {
        const std::size_t count = std::min(rowIds.size() - at, kRowsPerQuery);
        if (!readSome(db, rowIdName, rowIds.subspan(at, count), rows))
            return false;
        at += count;
    } while (at < rowIds.size());
    return true;
}

} // namespace kvel
