// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/IndexFileChoice.h"

#include "lookup/index/file/ContentDigest.h"
#include "lookup/index/file/IndexFileLocation.h"
#include "lookup/store/FileIdentity.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kvel {

namespace {

QString stampPath(const QString& indexFile)
{
    return indexFile + QLatin1StringView(".ok");
}

// One line naming the file's identity: a file replaced or changed in place
// no longer matches it.
QByteArray identityLine(const FileIdentity& file)
{
    return QByteArray::number(file.device) + ' ' + QByteArray::number(file.inode) + ' ' +
           QByteArray::number(file.size) + ' ' + QByteArray::number(file.modifiedNs);
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

OpenedIndexFile openFirstIndexFile(const QString& dictionary, const QStringList& candidates)
{
    const FileIdentity dictionaryFile = FileIdentity::of(dictionary);
    for (const QString& candidate : candidates) {
        const FileIdentity indexFile = FileIdentity::of(candidate);
        if (!indexFile.exists)
            continue;
        if (std::shared_ptr<const MappedIndexFile> file = MappedIndexFile::open(candidate))
            return {candidate, std::move(file), indexFile.modifiedNs >= dictionaryFile.modifiedNs};
    }
    return {};
}

std::shared_ptr<const MappedIndexFile> checkedIndexFile(const QString& dictionary,
                                                        const QStringList& candidates,
                                                        const OpenedIndexFile& opened,
                                                        const QString& ownCache)
{
    const std::optional<indexfile::ContentDigest> digest = digestOfFile(dictionary);
    if (!digest)
        return nullptr;
    for (const QString& candidate : candidates) {
        const bool own = !ownCache.isEmpty() && candidate == ownCache;
        const FileIdentity before = FileIdentity::of(candidate);
        std::shared_ptr<const MappedIndexFile> file =
            candidate == opened.path ? opened.file : MappedIndexFile::open(candidate);
        const bool stamped = own && !adoptedFor(candidate).isEmpty();
        if (file && file->contentDigest() == *digest && (stamped || file->verify())) {
            // Stamped only when the file mapped is the one at the path.
            if (own && !stamped && FileIdentity::of(candidate) == before)
                stampAdoption(candidate, dictionary);
            return file;
        }
        if (own && before.exists && FileIdentity::of(candidate) == before) {
            QFile::remove(candidate);
            QFile::remove(stampPath(candidate));
        }
    }
    return nullptr;
}

void stampAdoption(const QString& path, const QString& dictionary)
{
    const FileIdentity file = FileIdentity::of(path);
    QSaveFile stamp(stampPath(path));
    if (!file.exists || !stamp.open(QIODevice::WriteOnly))
        return;
    stamp.write(identityLine(file) + '\n' +
                QFile::encodeName(QFileInfo(dictionary).canonicalFilePath()) + '\n');
    stamp.commit();
}

QString adoptedFor(const QString& path)
{
    QFile stamp(stampPath(path));
    // A stamp is two short lines; anything longer is not one.
    if (!stamp.open(QIODevice::ReadOnly) || stamp.size() > 8192)
        return QString();
    const QList<QByteArray> lines = stamp.readAll().split('\n');
    const FileIdentity file = FileIdentity::of(path);
    if (lines.size() < 2 || !file.exists || lines[0] != identityLine(file))
        return QString();
    return QFile::decodeName(lines[1]);
}

} // namespace kvel
