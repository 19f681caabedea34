// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "kvel-dict/SourceEntry.h"
#include "lookup/store/DictionaryStore.h"

#include <QList>

namespace kvel::dictbuild {

// The rows of TblKvel in their stored order, from the sources in command-line
// order. Cyrillic Serbian becomes Latin in headwords and meanings; entries with
// the same headword and language become one row whose meanings are joined with
// "; " in source order, repeats dropped. English headwords come first, then
// Serbian ones, each sorted by the case-folded headword, ties by the headword.
QList<DictionaryRow> makeDictionaryRows(const QList<SourceEntries>& sources);

} // namespace kvel::dictbuild
