// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/IndexFileChoice.h"

#include "lookup/index/file/ContentDigest.h"
#include "lookup/index/file/IndexFileLocation.h"
#include "lookup/store/AdoptionStamp.h"

#include <QFile>
#include <QFileInfo>

namespace kvel {

namespace {

QString canonical(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

// The candidate the dictionary's stamp names, mapped, when both files are
// still as stamped; null otherwise.
OpenedIndexFile adoptedIndexFile(const QString& dictionary, const QStringList& candidates,
                                 const QString& cacheFolder)
{
    const std::optional<AdoptionStamp> stamp =
        AdoptionStamp::read(AdoptionStamp::pathFor(cacheFolder, dictionary));
    if (!stamp || stamp->dictionary != canonical(dictionary) ||
        FileIdentity::of(dictionary) != stamp->dictionaryFile)
        return {};
    for (const QString& candidate : candidates) {
        if (canonical(candidate) != stamp->indexFile)
            continue;
        std::shared_ptr<const MappedIndexFile> file = MappedIndexFile::open(candidate);
        if (file && file->identity() == stamp->index)
            return {candidate, std::move(file), true, true, stamp->dictionaryFile};
    }
    return {};
}

} // namespace

QStringList indexFileCandidates(const QString& dictionary, const QString& cacheFolder)
{
    QStringList candidates{indexFileBeside(dictionary)};
    const QString cached = cachedIndexFile(cacheFolder, dictionary);
    if (!cached.isEmpty())
        candidates.append(cached);
    return candidates;
}

OpenedIndexFile openFirstIndexFile(const QString& dictionary, const QStringList& candidates,
                                   const QString& cacheFolder)
{
    if (OpenedIndexFile adopted = adoptedIndexFile(dictionary, candidates, cacheFolder);
        adopted.file)
        return adopted;
    const FileIdentity dictionaryFile = FileIdentity::of(dictionary);
    for (const QString& candidate : candidates) {
        const FileIdentity indexFile = FileIdentity::of(candidate);
        if (!indexFile.exists)
            continue;
        if (std::shared_ptr<const MappedIndexFile> file = MappedIndexFile::open(candidate))
            return {candidate,
                    std::move(file),
                    indexFile.modifiedNs >= dictionaryFile.modifiedNs,
                    false,
                    {}};
    }
    return {};
}

std::shared_ptr<const MappedIndexFile>
checkedIndexFile(const QString& dictionary, const QStringList& candidates,
                 const OpenedIndexFile& opened, const QString& ownCache, const QString& cacheFolder)
{
    const FileIdentity dictionaryFile = FileIdentity::of(dictionary);
    const std::optional<indexfile::ContentDigest> digest = digestOfFile(dictionary);
    if (!digest)
        return nullptr;
    // Stamped only for the files as they were read.
    const bool dictionaryUnchanged = FileIdentity::of(dictionary) == dictionaryFile;
    for (const QString& candidate : candidates) {
        const bool own = !ownCache.isEmpty() && candidate == ownCache;
        const FileIdentity before = FileIdentity::of(candidate);
        std::shared_ptr<const MappedIndexFile> file =
            candidate == opened.path ? opened.file : MappedIndexFile::open(candidate);
        if (file && file->contentDigest() == *digest && file->verify()) {
            if (dictionaryUnchanged && file->identity() == before &&
                FileIdentity::of(candidate) == before)
                stampAdoption(cacheFolder, dictionary, dictionaryFile, candidate);
            return file;
        }
        if (own && before.exists && FileIdentity::of(candidate) == before) {
            QFile::remove(candidate);
            QFile::remove(AdoptionStamp::pathFor(cacheFolder, dictionary));
        }
    }
    return nullptr;
}

void stampAdoption(const QString& cacheFolder, const QString& dictionary,
                   const FileIdentity& dictionaryFile, const QString& indexFile)
{
    const AdoptionStamp stamp{canonical(indexFile), canonical(dictionary),
                              FileIdentity::of(indexFile), dictionaryFile};
    const QString path = AdoptionStamp::pathFor(cacheFolder, dictionary);
    if (!path.isEmpty() && !stamp.indexFile.isEmpty() && stamp.index.exists)
        stamp.write(path);
}

} // namespace kvel
