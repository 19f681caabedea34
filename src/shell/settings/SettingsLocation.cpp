// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/settings/SettingsLocation.h"

#include "core/strings/StringTable.h"
#include "shell/settings/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

// Copies the values at from into a new file at to; a file another start
// created there meanwhile is kept as it is.
bool copyIntoNewFile(const QString& from, const QString& to)
{
    const std::optional<IniDocument> values = readIniFile(from);
    if (!values)
        return false;
    return updateIniFile(to, [&](IniDocument& ini) {
               if (ini.toText().isEmpty())
                   ini = *values;
           }) == IniUpdate::Written;
}

} // namespace

bool canSaveAt(const QString& path)
{
    const QFileInfo file(path);
    return QFileInfo(file.absolutePath()).isWritable() && (!file.exists() || file.isWritable());
}

QString settingsFilePath(const QString& executableDir,
                         const std::function<bool(const QString&)>& canSave)
{
    const QString fileName = u"kvel"_s + LoadText(StringId::SettingsFileExtension);
    const QString beside = QDir(executableDir).filePath(fileName);
    if (canSave(beside))
        return beside;
    const QString config =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
            .filePath(u"kvel/"_s + fileName);
    if (QFileInfo::exists(config) || !QFileInfo::exists(beside))
        return config;
    return copyIntoNewFile(beside, config) ? config : beside;
}

} // namespace kvel
