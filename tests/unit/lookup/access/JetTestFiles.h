// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/access/JetConverter.h"
#include "support/TestDictionary.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace kvel::test {

// A file of the Jet test dictionaries (tests/data/jet).
QString jetData(const QString& name);

// The rows of a TSV beside the Jet files: Word, Meaning ("\N" is NULL), Selected.
QList<Row> readTsvRows(const QString& path);

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);

// The real kvel-dict as converter, caching in `cacheFolder`.
JetConverter realConverter(const QString& cacheFolder, JetConverter::Limits limits = {});

// Writes an executable shell script: a stand-in converter.
QString writeScript(const QString& path, const QByteArray& body);

} // namespace kvel::test
