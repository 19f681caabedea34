// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/TestDictionary.h"

#include <sqlite3.h>
#include <stdexcept>

namespace kvel::test {

namespace {

void bind(sqlite3_stmt* statement, int index, const QVariant& value)
{
    if (value.isNull()) {
        sqlite3_bind_null(statement, index);
        return;
    }
    const QByteArray utf8 = value.toString().toUtf8();
    sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db));
}

} // namespace

void executeSql(const QString& path, const QString& sql)
{
    sqlite3* db = nullptr;
    check(sqlite3_open(path.toUtf8().constData(), &db), db);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error(message);
}

void writeDictionary(const QString& path, const QList<Row>& rows, const QVariant& version)
{
    executeSql(path,
               QStringLiteral("create table TblKvel(Word text, Meaning text, Selected integer);"
                              "create table TblVer(Ver text);"));
    sqlite3* db = nullptr;
    check(sqlite3_open(path.toUtf8().constData(), &db), db);
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    check(sqlite3_prepare_v2(db, "insert into TblKvel values(?, ?, ?)", -1, &insert, nullptr), db);
    for (const Row& row : rows) {
        bind(insert, 1, row.word);
        bind(insert, 2, row.meaning);
        sqlite3_bind_int(insert, 3, row.selected);
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    if (!version.isNull()) {
        check(sqlite3_prepare_v2(db, "insert into TblVer values(?)", -1, &insert, nullptr), db);
        bind(insert, 1, version);
        check(sqlite3_step(insert), db);
        sqlite3_finalize(insert);
    }
    sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

} // namespace kvel::test
