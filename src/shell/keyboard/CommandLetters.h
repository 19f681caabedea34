// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <optional>

namespace kvel {

// The Latin letters ('a'..'z') each key gives without modifiers, one table
// per group of the user's layouts in their configured order, keyed by the
// key's code (an X keycode). Keys that give no Latin letter are left out.
using GroupLetters = QHash<quint32, char>;
using LayoutLetters = QList<GroupLetters>;

// The letter of the bar's Alt command on the key with this code: the letter
// the key gives in the first group that types Latin letters, or, when the
// user has no such group, the letter at the key's US position. Nothing when
// that key gives no Latin letter.
std::optional<char> commandLetter(const LayoutLetters& layouts, quint32 keyCode);

} // namespace kvel
