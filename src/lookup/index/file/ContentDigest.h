// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/index/file/IndexFileFormat.h"

#include <QString>
#include <optional>

namespace kvel {

// The SHA-256 of a dictionary file's bytes, which an index file records to
// name the dictionary it was made from. Reads the whole file (about 0.2 s for
// 48 MB), so it runs in the background. Empty when the path is not a regular
// file that can be read.
std::optional<indexfile::ContentDigest> digestOfFile(const QString& path);

} // namespace kvel
