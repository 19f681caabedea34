// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/SqliteDictionaryWriter.h"

#include "kvel-dict/BuildError.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sqlite3.h>

namespace kvel::dictbuild {

namespace {

struct DatabaseCloser
{
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Database = std::unique_ptr<sqlite3, DatabaseCloser>;

struct StatementFinalizer
{
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

QString sqliteMessage(sqlite3* db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

void bindText(sqlite3_stmt* statement, int column, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement, column, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

} // namespace

SqliteDictionaryWriter::SqliteDictionaryWriter(QString targetPath)
    : m_targetPath(std::move(targetPath))
{}

void SqliteDictionaryWriter::write(const QList<DictionaryRow>& rows,
                                   const std::optional<QString>& version)
{
    // QTemporaryFile only reserves a unique name beside the target; SQLite writes
    // into the empty file, and the file removes itself unless it was renamed.
    QTemporaryFile temporary(m_targetPath + QLatin1StringView(".XXXXXX.tmp"));
    if (!temporary.open()) {
        fail(QStringLiteral("cannot create a temporary file beside it: %1")
                 .arg(temporary.errorString()));
    }
    temporary.close();
    const QString temporaryPath = temporary.fileName();

    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(QFile::encodeName(temporaryPath).constData(), &raw,
                                       SQLITE_OPEN_READWRITE, nullptr);
    Database db(raw);
    if (opened != SQLITE_OK) {
        fail(QStringLiteral("cannot open %1: %2").arg(temporaryPath, sqliteMessage(raw)));
    }
    // A rollback journal, not WAL: the result must be one self-contained file.
    execute(db.get(), "PRAGMA journal_mode=DELETE");
    execute(db.get(), "BEGIN");
    createTables(db.get());
    insertRows(db.get(), rows);
    if (version) {
        insertVersion(db.get(), *version);
    }
    execute(db.get(), "COMMIT");
    if (sqlite3_close(db.release()) != SQLITE_OK) {
        fail(QStringLiteral("cannot close %1").arg(temporaryPath));
    }

    // The temporary file is private to its owner; a dictionary is read by others too.
    temporary.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                             QFileDevice::ReadGroup | QFileDevice::ReadOther);
    // rename(2) replaces the old file in one step; QFile::rename would refuse to.
    if (std::rename(QFile::encodeName(temporaryPath).constData(),
                    QFile::encodeName(m_targetPath).constData()) != 0) {
        fail(QStringLiteral("cannot replace it with %1: %2")
                 .arg(temporaryPath, QString::fromLocal8Bit(std::strerror(errno))));
    }
    temporary.setAutoRemove(false);
}

void SqliteDictionaryWriter::createTables(sqlite3* db)
{
    execute(db, "CREATE TABLE TblKvel(Word TEXT, Meaning TEXT, Selected INTEGER)");
    execute(db, "CREATE TABLE TblVer(Ver TEXT)");
}

void SqliteDictionaryWriter::insertRows(sqlite3* db, const QList<DictionaryRow>& rows)
{
    sqlite3_stmt* raw = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO TblKvel(Word, Meaning, Selected) VALUES(?, ?, ?)", -1, &raw,
                       nullptr);
    const Statement insert(raw);
    if (!insert) {
        fail(sqliteMessage(db));
    }
    for (const DictionaryRow& row : rows) {
        bindText(insert.get(), 1, row.word);
        bindText(insert.get(), 2, row.meaning);
        sqlite3_bind_int(insert.get(), 3, row.selected);
        if (sqlite3_step(insert.get()) != SQLITE_DONE) {
            fail(sqliteMessage(db));
        }
        sqlite3_reset(insert.get());
    }
}

void SqliteDictionaryWriter::insertVersion(sqlite3* db, const QString& version)
{
    sqlite3_stmt* raw = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO TblVer(Ver) VALUES(?)", -1, &raw, nullptr);
    const Statement insert(raw);
    if (!insert) {
        fail(sqliteMessage(db));
    }
    bindText(insert.get(), 1, version);
    if (sqlite3_step(insert.get()) != SQLITE_DONE) {
        fail(sqliteMessage(db));
    }
}

void SqliteDictionaryWriter::execute(sqlite3* db, const char* sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail(sqliteMessage(db));
    }
}

void SqliteDictionaryWriter::fail(const QString& problem) const
{
    throw BuildError(QStringLiteral("%1: %2").arg(m_targetPath, problem));
}

} // namespace kvel::dictbuild
