// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace kvel {

// Builds the index of the dictionary at `dictionary` and writes it as an index
// file at `indexFile`, checked once as a file is when first adopted. False if
// the dictionary cannot be indexed or the file cannot be written or read back.
bool prepareIndexFile(const QString& dictionary, const QString& indexFile);

} // namespace kvel
