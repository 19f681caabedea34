// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/IndexCache.h"

#include "lookup/index/file/ContentDigest.h"
#include "lookup/index/file/IndexFileLocation.h"
#include "lookup/index/file/IndexFileWriter.h"
#include "lookup/index/file/MappedIndexFile.h"
#include "lookup/store/IndexFileChoice.h"

#include <QDir>
#include <QFile>
#include <QLockFile>

namespace kvel {

namespace {

void removeStaleEntries(QDir folder)
{
    for (const QString& name : folder.entryList({QStringLiteral("*.kvx")}, QDir::Files)) {
        const QString path = folder.filePath(name);
        const QString dictionary = adoptedFor(path);
        if (dictionary.isEmpty() || !QFile::exists(dictionary) || !MappedIndexFile::open(path)) {
            QFile::remove(path);
            QFile::remove(path + QLatin1StringView(".ok"));
        }
    }
    // Stamps of index files that are gone.
    for (const QString& name : folder.entryList({QStringLiteral("*.kvx.ok")}, QDir::Files)) {
        if (!folder.exists(name.chopped(3)))
            folder.remove(name);
    }
}

} // namespace

void writeCachedIndex(const DictionaryIndex& index, const QString& dictionary,
                      const FileIdentity& read, const QString& cacheFolder)
{
    const QString path = cachedIndexFile(cacheFolder, dictionary);
    if (path.isEmpty() || !QDir().mkpath(cacheFolder))
        return;
    QLockFile lock(path + QLatin1StringView(".lock"));
    if (!lock.tryLock(0))
        return;
    // The digest must be of the file the index was built from.
    const std::optional<indexfile::ContentDigest> digest = digestOfFile(dictionary);
    if (!digest || FileIdentity::of(dictionary) != read)
        return;
    if (!writeIndexFile(index, path, *digest))
        return;
    stampAdoption(path, dictionary);
    removeStaleEntries(QDir(cacheFolder));
}

} // namespace kvel
