// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/file/IndexFileLocation.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace kvel {

QString indexFileBeside(const QString& dictionary)
{
    return dictionary + QLatin1StringView(".kvx");
}

QString indexCacheFolder()
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return cache.isEmpty() ? QString() : QDir(cache).filePath(QStringLiteral("kvel"));
}

QString cachedIndexFile(const QString& cacheFolder, const QString& dictionary)
{
    const QString canonical = QFileInfo(dictionary).canonicalFilePath();
    if (cacheFolder.isEmpty() || canonical.isEmpty())
        return QString();
    // A hash gives one short, safe name per path, whatever characters it holds.
    const QByteArray name =
        QCryptographicHash::hash(QFile::encodeName(canonical), QCryptographicHash::Sha256)
            .toHex()
            .left(32);
    return QDir(cacheFolder).filePath(QString::fromLatin1(name + ".kvx"));
}

} // namespace kvel
