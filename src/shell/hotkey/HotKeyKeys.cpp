// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/hotkey/HotKeyKeys.h"

// X11 headers last: their macros clash with Qt's names.
#include <X11/X.h>
#include <X11/keysym.h>

namespace kvel {

std::optional<unsigned long> hotKeySym(int keyIndex)
{
    if (keyIndex < 0 || keyIndex > 3)
        return std::nullopt;
    // XK_F9 .. XK_F12 are consecutive keysyms.
    return XK_F9 + unsigned(keyIndex);
}

QList<unsigned> hotKeyModifierMasks(unsigned numLockMask)
{
    QList<unsigned> masks;
    for (const unsigned locks : {0u, unsigned(LockMask), numLockMask, LockMask | numLockMask}) {
        const unsigned mask = Mod1Mask | locks;
        if (!masks.contains(mask))
            masks.append(mask);
    }
    return masks;
}

} // namespace kvel
