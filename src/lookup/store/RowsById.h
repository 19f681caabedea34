// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/store/DictionaryStore.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>
#include <span>

struct sqlite3;

namespace kvel {

// Appends the rows of TblKvel whose `rowIdName` (a name of the row id) are
// `rowIds`, ascending, in their order. Reads them with as few queries as it
// can: each query takes the file's lock, looks whether the file changed and
// lets the lock go, which costs more than reading a row. False when a query
// fails or a row is missing; a table without the columns shown fails even
// without row ids.
bool readRowsById(sqlite3* db, const QByteArray& rowIdName, std::span<const qint64> rowIds,
                  QList<DictionaryRow>& rows);

} // namespace kvel
