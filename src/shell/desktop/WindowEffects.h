// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

class QWidget;

namespace kvel {

// What the desktop does to windows beyond placing them.
class WindowEffects
{
public:
    virtual ~WindowEffects() = default;
    // True where window opacity really shows (on X11: a compositing manager runs).
    virtual bool opacityShows() const = 0;
    // Puts the window on every workspace, each time it is shown too: a window
    // that stays on top of every other belongs on every workspace.
    virtual void showOnEveryWorkspace(QWidget& window) = 0;
    // False when the window is shown on another workspace than the current one.
    virtual bool onCurrentWorkspace(const QWidget& window) const = 0;
};

} // namespace kvel
