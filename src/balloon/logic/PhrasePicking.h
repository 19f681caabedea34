// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace kvel {

// The phrase of a displayed line around a 1-based column: the text between
// the ';' on either side, or after the head's two blanks when no ';' lies to
// the left. The head itself gives an empty phrase, and so does a ';' under
// the pointer. A column outside the line has no answer (nullopt).
std::optional<QString> PhraseAt(const QString& line, int column);

} // namespace kvel
