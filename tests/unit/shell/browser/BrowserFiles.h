// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shell/browser/BrowserMenu.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace kvel::test {

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QJsonObject readJson(const QString& path)
{
    return QJsonDocument::fromJson(readBytes(path)).object();
}

inline ino_t inodeOf(const QString& path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

// A home folder of its own for one test, with the browsers' folders made on request.
class BrowserHome
{
public:
    BrowserFolders folders() const { return {home(), config()}; }
    QString home() const { return m_dir.filePath(QStringLiteral("home")); }
    QString config() const { return m_dir.filePath(QStringLiteral("home/.config")); }

    QString firefox() const { return home() + QStringLiteral("/.mozilla"); }
    QString chromium() const { return config() + QStringLiteral("/chromium"); }
    QString chrome() const { return config() + QStringLiteral("/google-chrome"); }

    QString firefoxManifest() const
    {
        return firefox() + QStringLiteral("/native-messaging-hosts/org.kvel.translate.json");
    }
    QString chromiumManifest() const
    {
        return chromium() + QStringLiteral("/NativeMessagingHosts/org.kvel.translate.json");
    }
    QString chromeManifest() const
    {
        return chrome() + QStringLiteral("/NativeMessagingHosts/org.kvel.translate.json");
    }
    QString record() const { return config() + QStringLiteral("/kvel/browser-menu"); }

    void install(const QString& browserFolder) const { QDir().mkpath(browserFolder); }

private:
    QTemporaryDir m_dir;
};

} // namespace kvel::test
