// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/store/FileIdentity.h"

#include <QString>
#include <optional>

namespace kvel {

// The record that an index file was found to be made from its dictionary and
// sound, for both files as they were then: while both stay so, neither is
// read again to check. One per dictionary, in Kvel's cache folder, naming
// whichever index file was adopted (beside the dictionary or in the cache).
struct AdoptionStamp
{
    QString indexFile; // canonical paths
    QString dictionary;
    FileIdentity index;
    FileIdentity dictionaryFile;

    bool operator==(const AdoptionStamp&) const = default;

    // The stamp's file for `dictionary`: its cache file's name plus ".ok".
    // Empty when the folder or the dictionary is unknown.
    static QString pathFor(const QString& cacheFolder, const QString& dictionary);
    // The stamp at `path`. A stamp is untrusted: none when it is missing, not
    // a regular file of this user that only they can write, too long for a
    // stamp, or not well formed.
    static std::optional<AdoptionStamp> read(const QString& path);
    // Writes the stamp at `path` by temporary file and rename, making its
    // folder first; false when that cannot be done.
    bool write(const QString& path) const;
    // Whether both files are still as stamped.
    bool holds() const;
};

} // namespace kvel
