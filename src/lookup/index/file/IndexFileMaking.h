// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace kvel {

// Indexes the dictionary at `dictionary` and writes the index file
// `indexFile` (by temporary file and rename) with the dictionary's digest.
// False, and no file written, when the dictionary cannot be indexed (its rows
// unreadable, past the read budget, or their ids not in stored order) or the
// file cannot be written.
bool makeIndexFile(const QString& dictionary, const QString& indexFile);

} // namespace kvel
