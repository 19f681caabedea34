// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QStringList>

namespace kvel {

// Lines longer than this are cut when "Wrap the translation" is on.
inline constexpr int kWrapLength = 92;

// Cuts each line longer than kWrapLength after the last ';' at or before
// column kWrapLength + 1, again and again; a piece without such a ';' stays
// whole. Pieces keep their blanks and no code is moved. Lengths and columns
// count characters, so a pair of UTF-16 surrogates is one.
QStringList WrapLines(const QStringList& sourceLines);

} // namespace kvel
