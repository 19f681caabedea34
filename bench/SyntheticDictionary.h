// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "lookup/store/DictionaryStore.h"

#include <QList>

namespace kvel::bench {

// A made-up English-Serbian dictionary of `entries` rows that looks like a real
// one to the index: English-like and Serbian-like words with č, ć, đ, š, ž,
// phrases of several words, capitals, a few punctuation marks, laid out as
// kvel-dict lays out its rows (English first, each language sorted). The same
// seed always gives the same rows.
QList<DictionaryRow> syntheticRows(int entries, quint32 seed);

} // namespace kvel::bench
