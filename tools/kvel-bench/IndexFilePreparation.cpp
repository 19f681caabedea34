// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-bench/IndexFilePreparation.h"

#include "lookup/index/DictionaryIndex.h"
#include "lookup/index/file/IndexFileWriter.h"
#include "lookup/index/file/MappedIndexFile.h"
#include "lookup/sqlite/DictionarySchema.h"
#include "lookup/sqlite/ReadOnlyDatabase.h"

namespace kvel {

bool prepareIndexFile(const QString& dictionary, const QString& indexFile)
{
    // Read within the same budget as the store reads it, as the file is untrusted.
    ReadOnlyDatabase database(dictionary);
    sqlite3* db = database.connection();
    const std::optional<QByteArray> rowIdName = db ? rowIdNameOfTblKvel(db) : std::nullopt;
    if (!rowIdName)
        return false;
    const DictionaryIndex::Read read = DictionaryIndex::read(db, *rowIdName);
    if (!read.index || database.lastUseRefusesFile())
        return false;
    // Which dictionary an index file belongs to is not checked yet: the
    // digest stays empty.
    if (!writeIndexFile(*read.index, indexFile, {}))
        return false;
    const std::unique_ptr<MappedIndexFile> mapped = MappedIndexFile::open(indexFile);
    return mapped && mapped->verify();
}

} // namespace kvel
