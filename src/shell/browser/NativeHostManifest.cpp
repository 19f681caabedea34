// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/browser/NativeHostManifest.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace kvel {

QString nativeHostManifestFileName()
{
    return QString::fromUtf16(kNativeHostName) + u".json"_s;
}

QString nativeHostPath(const QString& executablePath)
{
    return QFileInfo(executablePath).absoluteDir().filePath(u"kvel-native-host"_s);
}

QByteArray nativeHostManifest(ManifestFormat format, const QString& hostPath)
{
    QJsonObject manifest{
        {u"name"_s, QString::fromUtf16(kNativeHostName)},
        {u"description"_s, u"Kvel dictionary: looks up the words selected in a web page"_s},
        {u"path"_s, hostPath},
        {u"type"_s, u"stdio"_s},
    };
    if (format == ManifestFormat::Firefox)
        manifest[u"allowed_extensions"_s] = QJsonArray{QString::fromUtf16(kFirefoxExtensionId)};
    else
        manifest[u"allowed_origins"_s] = QJsonArray{QString::fromUtf16(kChromiumExtensionOrigin)};
    return QJsonDocument(manifest).toJson(QJsonDocument::Indented);
}

QList<NativeHostFolder> nativeHostFolders(const QString& home, const QString& configHome)
{
    return {
        {home + u"/.mozilla"_s, home + u"/.mozilla/native-messaging-hosts"_s,
         ManifestFormat::Firefox},
        {configHome + u"/chromium"_s, configHome + u"/chromium/NativeMessagingHosts"_s,
         ManifestFormat::Chromium},
        {configHome + u"/google-chrome"_s, configHome + u"/google-chrome/NativeMessagingHosts"_s,
         ManifestFormat::Chromium},
    };
}

} // namespace kvel
