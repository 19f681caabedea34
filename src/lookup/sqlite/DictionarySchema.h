// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <optional>

struct sqlite3;

namespace kvel {

// Whether TblKvel and TblVer, where the file has them, are ordinary tables: a
// view, a virtual table or anything else by those names would run what the
// file says instead of reading rows. False when the schema cannot be read.
bool dictionaryTablesAreOrdinary(sqlite3* db);

// The name that reads TblKvel's row ids: rowid, or _rowid_ or oid when a column
// of that name hides it. Nothing for a table without row ids, one whose
// columns hide all three names, or no such table.
std::optional<QByteArray> rowIdNameOfTblKvel(sqlite3* db);

} // namespace kvel
