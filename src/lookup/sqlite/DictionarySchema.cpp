// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/sqlite/DictionarySchema.h"

#include "lookup/sqlite/SqliteStatement.h"

#include <QSet>
#include <sqlite3.h>

namespace kvel {

bool dictionaryTablesAreOrdinary(sqlite3* db)
{
    SqliteStatement others(db, "select count(*) from pragma_table_list "
                               "where lower(name) in ('tblkvel', 'tblver') and type <> 'table'");
    return others && sqlite3_step(others.get()) == SQLITE_ROW &&
           sqlite3_column_int(others.get(), 0) == 0;
}

std::optional<QByteArray> rowIdNameOfTblKvel(sqlite3* db)
{
    SqliteStatement table(db, "select wr from pragma_table_list "
                              "where lower(name) = 'tblkvel' and type = 'table'");
    if (!table || sqlite3_step(table.get()) != SQLITE_ROW || sqlite3_column_int(table.get(), 0))
        return std::nullopt;

    SqliteStatement columns(db, "select lower(name) from pragma_table_xinfo('TblKvel')");
    if (!columns)
        return std::nullopt;
    QSet<QByteArray> names;
    int step;
    while ((step = sqlite3_step(columns.get())) == SQLITE_ROW)
        names.insert(reinterpret_cast<const char*>(sqlite3_column_text(columns.get(), 0)));
    if (step != SQLITE_DONE)
        return std::nullopt;
    for (const QByteArray name : {"rowid", "_rowid_", "oid"}) {
        if (!names.contains(name))
            return name;
    }
    return std::nullopt;
}

} // namespace kvel
