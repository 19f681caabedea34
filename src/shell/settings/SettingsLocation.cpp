#include "SettingsLocation.h"

#include "StringTable.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

constexpr int kIniExtensionId = 30734;

} // namespace

QString settingsFilePath(const QString& executableDir)
{
    const QString fileName = u"kvel"_s + LoadText(kIniExtensionId);
    const QString beside = QDir(executableDir).filePath(fileName);
    if (QFileInfo(executableDir).isWritable() || QFileInfo(beside).isWritable())
        return beside;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(u"kvel/"_s + fileName);
}

} // namespace kvel
