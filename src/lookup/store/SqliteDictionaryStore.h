// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/sqlite/ReadOnlyDatabase.h"
#include "lookup/store/DictionaryStore.h"

#include <QString>

namespace kvel {

// The dictionary file read through SQLite, opened read-only, every query a scan
// of the table in stored order. It is the reference for the matching rules: the
// indexed store must give exactly its results.
class SqliteDictionaryStore final : public DictionaryStore
{
public:
    explicit SqliteDictionaryStore(QString path, ReadBudget budget = {});

    std::optional<QList<DictionaryRow>> findRows(SearchLanguage language, FindMethod method,
                                                 const QString& phrase, int limit) override;
    std::optional<QList<DictionaryRow>> findOnlyTolerantRows(SearchLanguage language,
                                                             FindMethod method,
                                                             const QString& phrase,
                                                             int limit) override;
    QString queryMeaning(const QString& phrase, int selected) override;
    QString readVersion() override;

    const QString& path() const { return m_database.path(); }

private:
    ReadOnlyDatabase m_database;
};

// TblVer.Ver of the first row, read through `db`; empty when it cannot be read.
QString readDictionaryVersion(sqlite3* db);

} // namespace kvel
