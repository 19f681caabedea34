// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace kvel {

// The index file that kvel-dict writes beside the dictionary it builds.
QString indexFileBeside(const QString& dictionary);

// Kvel's own folder of index files, $XDG_CACHE_HOME/kvel; empty when there is
// no cache location.
QString indexCacheFolder();

// The index file Kvel keeps in `cacheFolder` for a dictionary without one
// beside it, named from the dictionary's canonical path. Empty when either
// is unknown.
QString cachedIndexFile(const QString& cacheFolder, const QString& dictionary);

} // namespace kvel
