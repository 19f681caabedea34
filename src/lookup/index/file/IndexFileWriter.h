// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/index/file/IndexFileFormat.h"

#include <QString>

namespace kvel {

class DictionaryIndex;

// Writes `index`, its tolerant part included, as an index file at `path`,
// through a temporary file renamed over it, so that a reader never maps a
// half-written file. `digest` names the dictionary's content. False if the
// file could not be written.
bool writeIndexFile(const DictionaryIndex& index, const QString& path,
                    const indexfile::ContentDigest& digest);

} // namespace kvel
