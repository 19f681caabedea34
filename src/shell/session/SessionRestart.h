// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

class QGuiApplication;

namespace kvel {

// An X11 session manager restarts the programs of a saved session as
// "kvel -session ID". Kvel starts with the system through its own autostart
// entry, and its command line carries only words to look up, so it asks never
// to be restarted that way.
void refuseSessionRestart(QGuiApplication& app);

} // namespace kvel
