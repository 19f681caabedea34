// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/store/DictionaryStore.h"

#include <QList>
#include <QString>
#include <optional>

namespace kvel::dictbuild {

// A dictionary as an Access (Jet 3 or Jet 4) file holds it.
struct JetDictionary
{
    QList<DictionaryRow> rows;      // TblKvel in its stored order; Selected is -1 or 0
    std::optional<QString> version; // TblVer.Ver of the first row; none without a row
};

// Reads the file through libmdb, never writing it. Throws BuildError naming
// the file when it is not a regular file, not a Jet database, or TblKvel is
// missing or has columns of the wrong kind. A damaged file may also crash or
// stall libmdb: run this only where that harms nothing but the conversion
// (readJetDictionaryInChild).
JetDictionary readJetDictionary(const QString& path);

// The same for the file already open as `descriptor`; messages name `path`.
JetDictionary readJetDictionary(const QString& path, int descriptor);

} // namespace kvel::dictbuild
