// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace kvel {

// One prepared statement, finalized with its owner; a statement that could not
// be prepared (no connection, no such table) tests false.
class SqliteStatement
{
public:
    SqliteStatement(sqlite3* db, const char* sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    explicit operator bool() const { return m_statement != nullptr; }
    sqlite3_stmt* get() const { return m_statement; }

    void bindText(int index, const QString& text);
    void bindInt(int index, int value);
    void bindInt64(int index, qint64 value);

    // A column as text; a NULL field reads as an empty text.
    QString text(int column) const;

private:
    sqlite3_stmt* m_statement = nullptr;
};

} // namespace kvel
