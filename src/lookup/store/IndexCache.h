// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/index/file/MappedIndexFile.h"
#include "lookup/store/FileIdentity.h"

#include <QString>
#include <memory>

namespace kvel {

// Writes `index`, built from `dictionary` as it was when it was `read`, as
// the dictionary's index file in `cacheFolder`, so that the next opening
// maps it instead of building it. Under a lock beside the file, by temporary
// file and rename, stamped as adopted; then removes the folder's stale
// entries (index files that no stamp names or that do not open, stamps whose
// files are gone or changed). Reads the whole dictionary for its digest, so
// it runs in the background. Returns the file written, mapped, so that the
// index in memory can give way to it; null when nothing was written because
// the folder cannot be written, another Kvel is writing, or the dictionary
// changed since it was read.
std::shared_ptr<const MappedIndexFile> writeCachedIndex(const DictionaryIndex& index,
                                                        const QString& dictionary,
                                                        const FileIdentity& read,
                                                        const QString& cacheFolder);

} // namespace kvel
