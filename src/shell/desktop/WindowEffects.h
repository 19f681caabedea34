// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace kvel {

// What the desktop does to windows beyond placing them.
class WindowEffects
{
public:
    virtual ~WindowEffects() = default;
    // True where window opacity really shows (on X11: a compositing manager runs).
    virtual bool opacityShows() const = 0;
};

} // namespace kvel
