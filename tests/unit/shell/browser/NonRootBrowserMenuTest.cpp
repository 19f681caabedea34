// SPDX-License-Identifier: GPL-2.0-or-later
// Cases that need a user whom file permissions bind; run-without-root.sh runs
// this program as "nobody" when CTest runs as root.
#include "BrowserFiles.h"
#include "shell/browser/BrowserMenu.h"
#include "support/QtPrinters.h"

#include <QFileInfo>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

constexpr QFile::Permissions kReadOnly = QFile::ReadOwner | QFile::ExeOwner;
constexpr QFile::Permissions kWritable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

const QString kProgram = u"/opt/kvel/kvel"_s;

class NonRootBrowserMenuTest : public testing::Test
{
public:
    void SetUp() override
    {
        if (geteuid() == 0)
            GTEST_SKIP() << "root may write anywhere: run this as another user";
        home.install(home.firefox());
        home.install(home.chromium());
    }

    // Gives the folders back their rights so that they can be removed.
    void TearDown() override
    {
        for (const QString& folder : {home.firefox(), home.firefox() + u"/native-messaging-hosts"_s,
                                      home.chromium() + u"/NativeMessagingHosts"_s})
            QFile::setPermissions(folder, kWritable);
    }

    BrowserHome home;
};

} // namespace

TEST_F(NonRootBrowserMenuTest, ReadOnlyBrowserFolderFailsButTheOthersAreWritten)
{
    ASSERT_TRUE(QFile::setPermissions(home.firefox(), kReadOnly));
    EXPECT_FALSE(RegisterIEMenu(1, 0, kProgram, home.folders()));
    EXPECT_FALSE(QFileInfo::exists(home.firefoxManifest()));
    EXPECT_TRUE(QFileInfo::exists(home.chromiumManifest()));
    EXPECT_EQ(readBytes(home.record()), "sr\n");
}

TEST_F(NonRootBrowserMenuTest, ReadOnlyHostsFolderKeepsTheOldManifest)
{
    ASSERT_TRUE(RegisterIEMenu(1, 0, kProgram, home.folders()));
    const QByteArray manifest = readBytes(home.firefoxManifest());
    ASSERT_TRUE(QFile::setPermissions(home.firefox() + u"/native-messaging-hosts"_s, kReadOnly));

    EXPECT_FALSE(RegisterIEMenu(1, 0, u"/usr/bin/kvel"_s, home.folders()));
    EXPECT_EQ(readBytes(home.firefoxManifest()), manifest);
    EXPECT_FALSE(RemoveIEMenu(home.folders()));
    EXPECT_EQ(readBytes(home.firefoxManifest()), manifest);
    EXPECT_FALSE(QFileInfo::exists(home.chromiumManifest())) << "removed where it could be";
}
