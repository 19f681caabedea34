#pragma once

#include "FileIdentity.h"

#include <QString>
#include <functional>

struct sqlite3;

namespace kvel {

// A dictionary file opened read-only through SQLite. The connection is kept
// between queries and opened again when the file on disk is replaced.
class ReadOnlyDatabase
{
public:
    // `prepare` runs on every fresh connection, e.g. to register SQL functions.
    explicit ReadOnlyDatabase(QString path, std::function<void(sqlite3*)> prepare = {});
    ~ReadOnlyDatabase();
    ReadOnlyDatabase(const ReadOnlyDatabase&) = delete;
    ReadOnlyDatabase& operator=(const ReadOnlyDatabase&) = delete;

    // The connection to the file as it is now; null when it cannot be opened.
    sqlite3* connection();
    // The file the current connection reads.
    const FileIdentity& openedFile() const { return m_openedFile; }
    const QString& path() const { return m_path; }

    // Opens `path` read-only with the same settings; null on failure.
    static sqlite3* open(const QString& path);

private:
    void close();

    QString m_path;
    std::function<void(sqlite3*)> m_prepare;
    sqlite3* m_db = nullptr;
    FileIdentity m_openedFile;
};

} // namespace kvel
