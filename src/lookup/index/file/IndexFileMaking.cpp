// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/file/IndexFileMaking.h"

#include "lookup/index/DictionaryIndex.h"
#include "lookup/index/file/ContentDigest.h"
#include "lookup/index/file/IndexFileWriter.h"
#include "lookup/sqlite/DictionarySchema.h"
#include "lookup/sqlite/ReadOnlyDatabase.h"

namespace kvel {

bool makeIndexFile(const QString& dictionary, const QString& indexFile)
{
    // Read within the same budget as the store reads it, as the file is untrusted.
    ReadOnlyDatabase database(dictionary);
    sqlite3* db = database.connection();
    const std::optional<QByteArray> rowIdName = db ? rowIdNameOfTblKvel(db) : std::nullopt;
    if (!rowIdName)
        return false;
    const DictionaryIndex::Read read = DictionaryIndex::read(db, *rowIdName);
    if (!read.index || read.rowIdsOutOfOrder || database.lastUseRefusesFile())
        return false;
    // The digest of the file as it is after the read: a file replaced in
    // between gives an index that its digest check drops.
    const std::optional<indexfile::ContentDigest> digest = digestOfFile(dictionary);
    if (!digest || database.openedFile() != FileIdentity::of(dictionary))
        return false;
    return writeIndexFile(*read.index, indexFile, *digest);
}

} // namespace kvel
