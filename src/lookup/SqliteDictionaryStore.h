#pragma once

#include "DictionaryStore.h"

#include <QString>

struct sqlite3;

namespace kvel {

// The dictionary file read through SQLite, opened read-only. The connection is
// kept between queries and opened again when the file on disk is replaced, so
// a dictionary rebuilt while the program runs is picked up by the next query.
class SqliteDictionaryStore final : public DictionaryStore
{
public:
    explicit SqliteDictionaryStore(QString path);
    ~SqliteDictionaryStore() override;
    SqliteDictionaryStore(const SqliteDictionaryStore&) = delete;
    SqliteDictionaryStore& operator=(const SqliteDictionaryStore&) = delete;

    std::optional<QList<DictionaryRow>> findRows(SearchLanguage language, FindMethod method,
                                                 const QString& phrase, int limit) override;
    QString queryMeaning(const QString& phrase, int selected) override;
    QString readVersion() override;

    const QString& path() const { return m_path; }

private:
    // Tells a file replaced by a rebuild (new inode) or changed in place.
    struct FileIdentity
    {
        bool exists = false;
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        bool operator==(const FileIdentity&) const = default;
    };
    static FileIdentity identify(const QString& path);

    sqlite3* connection();
    void close();

    QString m_path;
    sqlite3* m_db = nullptr;
    FileIdentity m_openedFile;
};

} // namespace kvel
