// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/sqlite/SqliteStatement.h"

#include <sqlite3.h>

namespace kvel {

SqliteStatement::SqliteStatement(sqlite3* db, const char* sql)
{
    if (db)
        sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr);
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

void SqliteStatement::bindText(int index, const QString& text)
{
    // UTF-8, not UTF-16: SQLite reads a leading U+FEFF or U+FFFE of UTF-16 text
    // as a byte-order mark and drops or byte-swaps the phrase.
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(m_statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::bindInt(int index, int value)
{
    sqlite3_bind_int(m_statement, index, value);
}

void SqliteStatement::bindInt64(int index, qint64 value)
{
    sqlite3_bind_int64(m_statement, index, value);
}

QString SqliteStatement::text(int column) const
{
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(m_statement, column));
    if (!text)
        return QString();
    return QString::fromUtf16(text, sqlite3_column_bytes16(m_statement, column) / 2);
}

} // namespace kvel
