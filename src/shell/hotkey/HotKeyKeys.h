// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QList>
#include <optional>

namespace kvel {

// The keysym of the hot key chosen in the settings (0 = F9 .. 3 = F12);
// nothing for any other number.
std::optional<unsigned long> hotKeySym(int keyIndex);

// The modifier states to grab Alt+key in: a grab matches the state exactly,
// so Caps Lock and Num Lock (whose modifier bit depends on the keyboard map,
// 0 when it has none) would otherwise make the key slip through.
QList<unsigned> hotKeyModifierMasks(unsigned numLockMask);

} // namespace kvel
