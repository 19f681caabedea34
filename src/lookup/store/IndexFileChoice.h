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
// are sound, `opened` reused when it is that one. The sections are checked
// once per index file: `stampAdoption` records it beside the file (in
// "<index>.ok"), and a file so recorded is not checked again. Null if none.
std::shared_ptr<const MappedIndexFile> checkedIndexFile(const QString& dictionary,
                                                        const QStringList& candidates,
                                                        const OpenedIndexFile& opened,
                                                        bool stampAdoption);

// Records that the index file at `path` was checked whole, for the file as it
// is now; nothing when the folder cannot be written.
void stampAdoption(const QString& path, const QString& dictionary);
// The dictionary named in the stamp of the index file at `path`, if that stamp
// is for the file as it is now; empty otherwise.
QString adoptedFor(const QString& path);

} // namespace kvel
