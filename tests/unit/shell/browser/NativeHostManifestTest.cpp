// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/browser/NativeHostManifest.h"

#include "support/QtPrinters.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace kvel;
using namespace Qt::StringLiterals;

TEST(NativeHostManifest, HostLiesBesideTheProgram)
{
    EXPECT_EQ(nativeHostPath(u"/opt/kvel/kvel"_s), u"/opt/kvel/kvel-native-host"_s);
    EXPECT_EQ(nativeHostPath(u"/opt/a b/\"q\"/kvel"_s), u"/opt/a b/\"q\"/kvel-native-host"_s);
}

TEST(NativeHostManifest, FirefoxAllowsTheExtensionById)
{
    const QJsonObject manifest =
        QJsonDocument::fromJson(nativeHostManifest(ManifestFormat::Firefox, u"/opt/h"_s)).object();
    EXPECT_EQ(manifest.value(u"name"_s).toString(), u"org.kvel.translate"_s);
    EXPECT_EQ(manifest.value(u"path"_s).toString(), u"/opt/h"_s);
    EXPECT_EQ(manifest.value(u"type"_s).toString(), u"stdio"_s);
    EXPECT_EQ(manifest.value(u"allowed_extensions"_s).toArray(),
              QJsonArray{u"translate@kvel.org"_s});
    EXPECT_FALSE(manifest.contains(u"allowed_origins"_s));
}

TEST(NativeHostManifest, ChromiumAllowsTheExtensionByOrigin)
{
    const QJsonObject manifest =
        QJsonDocument::fromJson(nativeHostManifest(ManifestFormat::Chromium, u"/opt/h"_s)).object();
    EXPECT_EQ(manifest.value(u"name"_s).toString(), u"org.kvel.translate"_s);
    EXPECT_EQ(manifest.value(u"allowed_origins"_s).toArray(),
              QJsonArray{u"chrome-extension://gcofglnfkielhipkfpdkpldcffiebppb/"_s});
    EXPECT_FALSE(manifest.contains(u"allowed_extensions"_s));
}

// The path goes into JSON text: quotes and backslashes must not break it.
TEST(NativeHostManifest, AnyPathSurvivesTheJsonText)
{
    const QString path = u"/opt/a \"b\\c\n\u0111/kvel-native-host"_s;
    for (const ManifestFormat format : {ManifestFormat::Firefox, ManifestFormat::Chromium}) {
        const QJsonObject manifest =
            QJsonDocument::fromJson(nativeHostManifest(format, path)).object();
        EXPECT_EQ(manifest.value(u"path"_s).toString(), path);
    }
}

TEST(NativeHostManifest, FoldersOfTheThreeBrowsers)
{
    const QList<NativeHostFolder> expected{
        {u"/h/.mozilla"_s, u"/h/.mozilla/native-messaging-hosts"_s, ManifestFormat::Firefox},
        {u"/c/chromium"_s, u"/c/chromium/NativeMessagingHosts"_s, ManifestFormat::Chromium},
        {u"/c/google-chrome"_s, u"/c/google-chrome/NativeMessagingHosts"_s,
         ManifestFormat::Chromium},
    };
    EXPECT_EQ(nativeHostFolders(u"/h"_s, u"/c"_s), expected);
}
