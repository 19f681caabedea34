// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>

namespace kvel {

// Which language a row's headword is in follows from TblKvel.Selected, and
// SQLite's own comparison decides it everywhere: a Selected stored as text, a
// real, a blob or a number beyond 32 bits then falls on the same side for the
// language filter, the index's groups and the marker a result line shows.

// The Selected of a row that is neither English nor Serbian, as rows carry it.
inline constexpr int kOtherHeadword = 1;

// SQL true for the rows whose Selected is `headword` (kEnglishHeadword or
// kSerbianHeadword).
QByteArray selectedIs(int headword);

// SQL for the Selected a row carries out of a query: kEnglishHeadword or
// kSerbianHeadword where selectedIs says so, kOtherHeadword for the rest.
QByteArray selectedAsRead();

} // namespace kvel
