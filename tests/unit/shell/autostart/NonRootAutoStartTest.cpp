// SPDX-License-Identifier: GPL-2.0-or-later
// Cases that need a user whom file permissions bind; run-without-root.sh runs
// this program as "nobody" when CTest runs as root.
#include "AutoStartFiles.h"
#include "shell/autostart/AutoStart.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

constexpr QFile::Permissions kReadOnly = QFile::ReadOwner | QFile::ExeOwner;
constexpr QFile::Permissions kWritable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

class NonRootAutoStartTest : public testing::Test
{
public:
    void SetUp() override
    {
        if (geteuid() == 0)
            GTEST_SKIP() << "root may write anywhere: run this as another user";
        ASSERT_TRUE(QDir().mkpath(home.autostart()));
    }

    // Gives the folders back their rights so that they can be removed.
    void TearDown() override
    {
        QFile::setPermissions(home.autostart(), kWritable);
        QFile::setPermissions(home.config(), kWritable);
    }

    TemporaryHome home;
};

} // namespace

TEST_F(NonRootAutoStartTest, OnInAReadOnlyFolderFailsAndWritesNothing)
{
    ASSERT_TRUE(QFile::setPermissions(home.autostart(), kReadOnly));
    EXPECT_FALSE(SetAutoStart(true, u"/usr/bin/kvel"_s));
    EXPECT_EQ(QDir(home.autostart()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(NonRootAutoStartTest, OnWhereTheFolderCannotBeMadeFails)
{
    ASSERT_TRUE(QDir(home.autostart()).removeRecursively());
    ASSERT_TRUE(QFile::setPermissions(home.config(), kReadOnly));
    EXPECT_FALSE(SetAutoStart(true, u"/usr/bin/kvel"_s));
    EXPECT_FALSE(QFileInfo::exists(home.autostart()));
}

TEST_F(NonRootAutoStartTest, OffInAReadOnlyFolderFailsAndKeepsTheEntry)
{
    ASSERT_TRUE(SetAutoStart(true, u"/usr/bin/kvel"_s));
    const QByteArray entry = readBytes(home.entry());
    ASSERT_TRUE(QFile::setPermissions(home.autostart(), kReadOnly));
    EXPECT_FALSE(SetAutoStart(false, u"/usr/bin/kvel"_s));
    EXPECT_EQ(readBytes(home.entry()), entry);
}

TEST_F(NonRootAutoStartTest, ChangedEntryInAReadOnlyFolderFailsAndIsKept)
{
    ASSERT_TRUE(SetAutoStart(true, u"/usr/bin/kvel"_s));
    const QByteArray entry = readBytes(home.entry());
    ASSERT_TRUE(QFile::setPermissions(home.autostart(), kReadOnly));
    EXPECT_FALSE(SetAutoStart(true, u"/opt/kvel/kvel"_s));
    EXPECT_EQ(readBytes(home.entry()), entry);
}
