// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

class QWidget;

namespace kvel {

// Asks the window manager to show WINDOW on every workspace (EWMH: sticky,
// desktop 0xFFFFFFFF). The window manager forgets this whenever the window is
// hidden, so it is written again before each time the window is mapped, and
// asked for at once when the window is mapped already. Nothing without X11.
void keepOnEveryDesktop(QWidget& window);

// False only when the window manager shows WINDOW on another workspace than
// the current one; true without X11 or without the window manager's word.
bool onCurrentDesktop(const QWidget& window);

} // namespace kvel
