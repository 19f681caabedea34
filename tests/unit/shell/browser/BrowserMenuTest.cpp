// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/browser/BrowserMenu.h"

#include "BrowserFiles.h"
#include "support/QtPrinters.h"

#include <QFileInfo>
#include <QJsonArray>
#include <gtest/gtest.h>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

const QString kProgram = u"/opt/kvel/kvel"_s;
const QString kHost = u"/opt/kvel/kvel-native-host"_s;

struct RecordCase
{
    const char* name;
    int ieMenu;
    int interfaceLanguage;
    QByteArray record;
};

class BrowserMenuRecordTest : public testing::TestWithParam<RecordCase>
{
};

const RecordCase kRecordCases[] = {
    {"SerbianInterface", 1, 0, "sr\n"},
    {"EnglishInterface", 1, 1, "en\n"},
};

INSTANTIATE_TEST_SUITE_P(Settings, BrowserMenuRecordTest, testing::ValuesIn(kRecordCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

TEST_P(BrowserMenuRecordTest, RecordsTheActiveItem)
{
    BrowserHome home;
    EXPECT_TRUE(
        RegisterIEMenu(GetParam().ieMenu, GetParam().interfaceLanguage, kProgram, home.folders()));
    EXPECT_EQ(readBytes(home.record()), GetParam().record);
}

TEST(BrowserMenu, NoBrowserGetsOnlyTheRecord)
{
    BrowserHome home;
    EXPECT_TRUE(RegisterIEMenu(1, 0, kProgram, home.folders()));
    EXPECT_FALSE(QFileInfo::exists(home.firefox()));
    EXPECT_FALSE(QFileInfo::exists(home.chromium()));
    EXPECT_FALSE(QFileInfo::exists(home.chrome()));
}

TEST(BrowserMenu, OnlyPresentBrowsersGetManifests)
{
    BrowserHome home;
    home.install(home.firefox());
    home.install(home.chrome());
    EXPECT_TRUE(RegisterIEMenu(1, 0, kProgram, home.folders()));

    const QJsonObject firefox = readJson(home.firefoxManifest());
    EXPECT_EQ(firefox.value(u"path"_s).toString(), kHost);
    EXPECT_EQ(firefox.value(u"allowed_extensions"_s).toArray().size(), 1);
    const QJsonObject chrome = readJson(home.chromeManifest());
    EXPECT_EQ(chrome.value(u"path"_s).toString(), kHost);
    EXPECT_EQ(chrome.value(u"allowed_origins"_s).toArray().size(), 1);
    EXPECT_FALSE(QFileInfo::exists(home.chromium()));
}

// A build tree tried out with IE=0 must leave nothing that points into it.
TEST(BrowserMenu, OptionOffLeavesNothingBehind)
{
    BrowserHome home;
    home.install(home.firefox());
    home.install(home.chromium());
    EXPECT_TRUE(RegisterIEMenu(0, 0, kProgram, home.folders()));
    EXPECT_FALSE(QFileInfo::exists(home.firefoxManifest()));
    EXPECT_FALSE(QFileInfo::exists(home.record()));

    ASSERT_TRUE(RegisterIEMenu(1, 0, kProgram, home.folders()));
    EXPECT_TRUE(RegisterIEMenu(0, 1, kProgram, home.folders()));
    EXPECT_FALSE(QFileInfo::exists(home.firefoxManifest()));
    EXPECT_FALSE(QFileInfo::exists(home.chromiumManifest()));
    EXPECT_FALSE(QFileInfo::exists(home.record()));
}

// It runs at every start and every change of language.
TEST(BrowserMenu, UnchangedFilesAreNotRewritten)
{
    BrowserHome home;
    home.install(home.firefox());
    home.install(home.chromium());
    ASSERT_TRUE(RegisterIEMenu(1, 0, kProgram, home.folders()));
    const ino_t firefox = inodeOf(home.firefoxManifest());
    const ino_t chromium = inodeOf(home.chromiumManifest());
    const ino_t record = inodeOf(home.record());

    ASSERT_TRUE(RegisterIEMenu(1, 0, kProgram, home.folders()));
    EXPECT_EQ(inodeOf(home.firefoxManifest()), firefox);
    EXPECT_EQ(inodeOf(home.chromiumManifest()), chromium);
    EXPECT_EQ(inodeOf(home.record()), record);

    ASSERT_TRUE(RegisterIEMenu(1, 1, kProgram, home.folders()));
    EXPECT_EQ(inodeOf(home.firefoxManifest()), firefox) << "only the language changed";
    EXPECT_NE(inodeOf(home.record()), record);
    EXPECT_EQ(readBytes(home.record()), "en\n");
}

TEST(BrowserMenu, AMovedProgramRewritesTheManifests)
{
    BrowserHome home;
    home.install(home.firefox());
    ASSERT_TRUE(RegisterIEMenu(1, 0, kProgram, home.folders()));
    ASSERT_TRUE(RegisterIEMenu(1, 0, u"/usr/bin/kvel"_s, home.folders()));
    EXPECT_EQ(readJson(home.firefoxManifest()).value(u"path"_s).toString(),
              u"/usr/bin/kvel-native-host"_s);
}

TEST(BrowserMenu, RemoveTakesEverythingAwayAndRegisterBringsItBack)
{
    BrowserHome home;
    home.install(home.firefox());
    home.install(home.chromium());
    home.install(home.chrome());
    ASSERT_TRUE(RegisterIEMenu(1, 1, kProgram, home.folders()));

    EXPECT_TRUE(RemoveIEMenu(home.folders()));
    for (const QString& path :
         {home.firefoxManifest(), home.chromiumManifest(), home.chromeManifest(), home.record()})
        EXPECT_FALSE(QFileInfo::exists(path)) << path.toStdString();
    EXPECT_TRUE(QFileInfo(home.firefox()).isDir()) << "the browser's own folder stays";

    EXPECT_TRUE(RegisterIEMenu(1, 1, kProgram, home.folders()));
    EXPECT_TRUE(QFileInfo::exists(home.chromeManifest()));
    EXPECT_EQ(readBytes(home.record()), "en\n");
}

TEST(BrowserMenu, RemoveWithNothingThereIsDone)
{
    BrowserHome home;
    EXPECT_TRUE(RemoveIEMenu(home.folders()));
}

TEST(BrowserMenu, OtherHostsOfTheUserAreLeftAlone)
{
    BrowserHome home;
    const QString other = home.firefox() + u"/native-messaging-hosts/other.json"_s;
    QDir().mkpath(QFileInfo(other).path());
    QFile file(other);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{}");
    file.close();

    ASSERT_TRUE(RegisterIEMenu(1, 0, kProgram, home.folders()));
    ASSERT_TRUE(RemoveIEMenu(home.folders()));
    EXPECT_EQ(readBytes(other), "{}");
}

TEST(BrowserMenu, AFolderInTheManifestsPlaceFailsButTheOthersAreWritten)
{
    BrowserHome home;
    home.install(home.firefox());
    home.install(home.chromium());
    QDir().mkpath(home.firefoxManifest());
    EXPECT_FALSE(RegisterIEMenu(1, 0, kProgram, home.folders()));
    EXPECT_TRUE(QFileInfo::exists(home.chromiumManifest()));
    EXPECT_EQ(readBytes(home.record()), "sr\n");
}
