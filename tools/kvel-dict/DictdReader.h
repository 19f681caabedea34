// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "kvel-dict/SourceEntry.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kvel::dictbuild {

// A dictd dictionary named by its .index file or by the path its files share
// without extension. The articles are read from "<path>.dict" or, failing that,
// the dictzip "<path>.dict.dz". Meta entries ("00database...", "00-database...")
// are skipped. Throws BuildError naming the file (and index line) at fault.
QList<SourceEntry> readDictdDictionary(const QString& path);

// Every file the dictionary named by `path` may be read from: its .index,
// .dict and .dict.dz, whether they exist or not.
QStringList dictdFiles(const QString& path);

} // namespace kvel::dictbuild
