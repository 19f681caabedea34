// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/IndexCache.h"

#include "lookup/index/file/ContentDigest.h"
#include "lookup/index/file/IndexFileLocation.h"
#include "lookup/index/file/IndexFileWriter.h"
#include "lookup/index/file/MappedIndexFile.h"
#include "lookup/store/AdoptionStamp.h"
#include "lookup/store/IndexFileChoice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace kvel {

namespace {

void removeStaleEntries(QDir folder)
{
    // Index files that no stamp names as adopted, or that do not open.
    for (const QString& name : folder.entryList({QStringLiteral("*.kvx")}, QDir::Files)) {
        const QString path = folder.filePath(name);
        const std::optional<AdoptionStamp> stamp =
            AdoptionStamp::read(path + QLatin1StringView(".ok"));
        if (!stamp || stamp->indexFile != QFileInfo(path).canonicalFilePath() ||
            !MappedIndexFile::open(path))
            QFile::remove(path);
    }
    // Stamps whose files are gone or changed; those of index files beside
    // their dictionaries are kept while they hold.
    for (const QString& name : folder.entryList({QStringLiteral("*.kvx.ok")}, QDir::Files)) {
        const std::optional<AdoptionStamp> stamp = AdoptionStamp::read(folder.filePath(name));
        if (!stamp || !stamp->holds())
            folder.remove(name);
    }
}

} // namespace

std::shared_ptr<const MappedIndexFile> writeCachedIndex(const DictionaryIndex& index,
                                                        const QString& dictionary,
                                                        const FileIdentity& read,
                                                        const QString& cacheFolder)
{
    const QString path = cachedIndexFile(cacheFolder, dictionary);
    if (path.isEmpty() || !QDir().mkpath(cacheFolder))
        return nullptr;
    QLockFile lock(path + QLatin1StringView(".lock"));
    if (!lock.tryLock(0))
        return nullptr;
    // The digest must be of the file the index was built from.
    const std::optional<indexfile::ContentDigest> digest = digestOfFile(dictionary);
    if (!digest || FileIdentity::of(dictionary) != read)
        return nullptr;
    // A link put in our folder must not make us write over its target.
    if (QFileInfo(path).isSymLink() && !QFile::remove(path))
        return nullptr;
    if (!writeIndexFile(index, path, *digest))
        return nullptr;
    const FileIdentity written = FileIdentity::of(path);
    stampAdoption(cacheFolder, dictionary, read, path);
    removeStaleEntries(QDir(cacheFolder));
    // Only the file just written, as written, is trusted unchecked.
    std::shared_ptr<const MappedIndexFile> mapped = MappedIndexFile::open(path);
    return mapped && mapped->identity() == written ? mapped : nullptr;
}

} // namespace kvel
