// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/index/file/MappedIndexFile.h"
#include "lookup/store/FileIdentity.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace kvel {

// Where a dictionary's index file may be, first found first used: beside the
// dictionary (kvel-dict writes it there), then in Kvel's cache folder.
QStringList indexFileCandidates(const QString& dictionary, const QString& cacheFolder);

// An index file opened before it is known to belong to its dictionary.
struct OpenedIndexFile
{
    QString path;
    std::shared_ptr<const MappedIndexFile> file;
    // Made after the dictionary was last changed, as every index made from
    // it is: usable at once, while its digest is checked in the background.
    // An older one waits for the check.
    bool newerThanDictionary = false;
    // Checked already, for both files as they are (see AdoptionStamp): used
    // without a check as long as the dictionary read is `dictionaryFile`.
    bool adopted = false;
    FileIdentity dictionaryFile;
};

// The candidate adopted for the dictionary per its stamp in `cacheFolder`,
// else the first whose header and table are sound; null file if none.
OpenedIndexFile openFirstIndexFile(const QString& dictionary, const QStringList& candidates,
                                   const QString& cacheFolder);

// Reads the dictionary and the index files, so it runs in the background:
// the first candidate whose digest is the dictionary's and whose sections
// are sound, `opened` reused when it is that one. Null if none. The one found
// is stamped in `cacheFolder` (a program that writes no index file may write
// the stamp), which spares the check at the next opening while both files
// stay as they are. `ownCache` is the cache file kvel writes (empty for a
// program that writes none): it is removed when it fails, to be written again.
std::shared_ptr<const MappedIndexFile> checkedIndexFile(const QString& dictionary,
                                                        const QStringList& candidates,
                                                        const OpenedIndexFile& opened,
                                                        const QString& ownCache,
                                                        const QString& cacheFolder);

// Records in `cacheFolder` that `indexFile`, as it is now, was made from
// `dictionary`, read as `dictionaryFile`, and is sound; nothing when the
// folder cannot be written.
void stampAdoption(const QString& cacheFolder, const QString& dictionary,
                   const FileIdentity& dictionaryFile, const QString& indexFile);

} // namespace kvel
