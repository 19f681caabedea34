// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/index/file/MappedIndexFile.h"

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
};

// The first candidate whose header and table are sound; null file if none.
OpenedIndexFile openFirstIndexFile(const QString& dictionary, const QStringList& candidates);

// Reads the dictionary and the index files, so it runs in the background:
// the first candidate whose digest is the dictionary's and whose sections
// are sound, `opened` reused when it is that one. Null if none. `ownCache` is
// the cache file kvel writes (empty for a program that writes none): its
// sections are checked once, recorded in a stamp "<index>.ok" beside it that
// spares the check while the file stays as it is, and it is removed when it
// fails, to be written again. Other index files are checked at every opening.
std::shared_ptr<const MappedIndexFile> checkedIndexFile(const QString& dictionary,
                                                        const QStringList& candidates,
                                                        const OpenedIndexFile& opened,
                                                        const QString& ownCache);

// Records that the index file at `path` was checked whole, for the file as it
// is now; nothing when the folder cannot be written.
void stampAdoption(const QString& path, const QString& dictionary);
// The dictionary named in the stamp of the index file at `path`, if that stamp
// is for the file as it is now; empty otherwise.
QString adoptedFor(const QString& path);

} // namespace kvel
