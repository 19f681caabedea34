// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/keyboard/CommandLetters.h"
#include "shell/keyboard/KeyboardGroups.h"

namespace kvel {

// Switches the keyboard to a language's layout while the bar has focus. The
// layout group is shared by every window of the desktop, so the user's own
// group is given back when the bar loses focus.
class KeyboardLayout
{
public:
    virtual ~KeyboardLayout() = default;
    virtual void activate(KeyboardTarget target) = 0;
    virtual void restoreUserLayout() = 0;
    // The Latin letters of the keys in each group, read when asked, as the
    // user may change the layouts at any time.
    virtual LayoutLetters layoutLetters() const = 0;
};

} // namespace kvel
