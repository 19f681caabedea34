// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace kvel {

// The desktop's autostart entry of the program:
// $XDG_CONFIG_HOME/autostart/kvel.desktop (~/.config/autostart/kvel.desktop).
QString autoStartEntryPath();

// Writes the autostart entry that starts executablePath (on) or removes it
// (off). True only when the entry is in the asked state afterwards: a folder
// that cannot be written gives false and leaves whatever was there.
bool SetAutoStart(bool on, const QString& executablePath);

} // namespace kvel
