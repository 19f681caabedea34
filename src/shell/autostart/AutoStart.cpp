// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/autostart/AutoStart.h"

#include "core/strings/StringTable.h"
#include "shell/autostart/DesktopEntry.h"
#include "shell/userfiles/UserFiles.h"

#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace kvel {

QString autoStartEntryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/autostart/kvel.desktop"_s;
}

bool SetAutoStart(bool on, const QString& executablePath)
{
    const QString path = autoStartEntryPath();
    if (on)
        return writeFileIfChanged(
            path, autoStartEntry(LoadText(StringId::AutoStartEntryName), executablePath));
    return removeFileIfPresent(path);
}

} // namespace kvel
