// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/DictionaryLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kvel {

QString defaultDictionaryPath(const QString& executableDir)
{
    const QString beside = QDir(executableDir).filePath(QStringLiteral("kvel.mdb"));
    if (QFileInfo(beside).isFile())
        return beside;
    const QString installed = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                     QStringLiteral("kvel/kvel.mdb"));
    return installed.isEmpty() ? beside : installed;
}

} // namespace kvel
