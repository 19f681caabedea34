// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <functional>

namespace kvel {

// Whether a save can replace the file at path: its folder takes the lock and
// the temporary file, and a file already there may be replaced.
bool canSaveAt(const QString& path);

// kvel.ini beside the executable when a save can succeed there; otherwise
// $XDG_CONFIG_HOME/kvel/kvel.ini, so that an installation in a system folder
// still keeps each user's settings. The first time a kvel.ini beside the
// executable cannot be saved there, its values are copied into the XDG file
// (the old file is left alone); when they cannot be copied, or the old file
// cannot be read, its path is kept, so that its values are never replaced by
// defaults.
QString settingsFilePath(const QString& executableDir,
                         const std::function<bool(const QString&)>& canSave = canSaveAt);

} // namespace kvel
