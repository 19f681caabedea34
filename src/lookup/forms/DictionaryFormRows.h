// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/SearchSettings.h"
#include "lookup/store/DictionaryStore.h"

namespace kvel {

class DictionaryForms;

// Appends, while `rows` holds fewer than kMaxResultLines, the rows whose Word
// equals one of the dictionary forms of `word` (a single normalised word) in
// the search language(s): form by form as the analysers give them, each form's
// rows in table order, the tolerant ones after the exact ones when `matching`
// is tolerant, and none that `rows` holds already. A form whose query fails is
// left out: the forms only ever add to a lookup.
void appendDictionaryFormRows(DictionaryStore& store, DictionaryForms& forms, const QString& word,
                              SearchLanguage language, Matching matching,
                              QList<DictionaryRow>& rows);

} // namespace kvel
