// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "kvel-dict/SourceEntry.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

namespace kvel::dictbuild {

// UTF-8 lines "word<TAB>meaning"; the meaning is split at commas and semicolons
// like a dictd sense line. Blank lines are skipped, a trailing CR and a leading
// byte order mark are ignored. Throws BuildError naming fileName and the line
// for a line without exactly one TAB, an empty word or invalid UTF-8.
QList<SourceEntry> parseTsv(QByteArrayView data, const QString& fileName);

QList<SourceEntry> readTsvDictionary(const QString& path);

} // namespace kvel::dictbuild
