#pragma once

#include <QString>

namespace kvel {

// kvel.ini beside the executable when the user may write that folder or the
// file already there; otherwise $XDG_CONFIG_HOME/kvel/kvel.ini, so that an
// installation in a system folder still keeps each user's settings.
QString settingsFilePath(const QString& executableDir);

} // namespace kvel
