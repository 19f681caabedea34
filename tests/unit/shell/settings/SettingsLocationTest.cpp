// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/settings/SettingsLocation.h"

#include "SettingsFiles.h"
#include "shell/settings/KvelSettings.h"
#include "support/QtPrinters.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

// A program folder beside a config folder; whether a save can succeed in the
// program folder is the test's to say, so that root can run these cases too.
class SettingsLocationTest : public testing::Test
{
public:
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(program())); }

    QString program() const { return dir.filePath(u"program"_s); }
    QString beside() const { return dir.filePath(u"program/kvel.ini"_s); }
    QString config() const { return dir.filePath(u"config/kvel/kvel.ini"_s); }

    QString pathWhenBesideCannotBeSaved() const
    {
        return settingsFilePath(program(), [](const QString&) { return false; });
    }

    QTemporaryDir dir;
    const EnvironmentGuard configHome{"XDG_CONFIG_HOME", dir.filePath(u"config"_s)};
};

} // namespace

TEST_F(SettingsLocationTest, WritableProgramFolderHoldsTheSettings)
{
    EXPECT_TRUE(canSaveAt(beside()));
    EXPECT_EQ(settingsFilePath(program()), beside());
}

TEST_F(SettingsLocationTest, WithoutAProgramFolderTheSettingsGoToTheConfigFolder)
{
    EXPECT_EQ(settingsFilePath(dir.filePath(u"missing"_s)), config());
}

TEST_F(SettingsLocationTest, WithoutAFileBesideNothingIsCopied)
{
    EXPECT_EQ(pathWhenBesideCannotBeSaved(), config());
    EXPECT_FALSE(QFileInfo::exists(config()));
}

// The values of a file that can no longer be saved where it is are kept, once,
// and the file itself is left alone.
TEST_F(SettingsLocationTest, FileThatCannotBeSavedBesideIsCopiedOnceIntoTheConfigFolder)
{
    const QByteArray values = "[Preferences]\nAutoStart=0\n[Mine]\nx=1\n";
    writeBytes(beside(), values);

    EXPECT_EQ(pathWhenBesideCannotBeSaved(), config());
    EXPECT_EQ(readBytes(config()), values);
    EXPECT_EQ(LoadSettings(config(), QRect(0, 0, 1024, 768)).value().FAutoStart, 0);
    EXPECT_EQ(readBytes(beside()), values);

    writeBytes(beside(), "[Preferences]\nAutoStart=1\n");
    EXPECT_EQ(pathWhenBesideCannotBeSaved(), config());
    EXPECT_EQ(readBytes(config()), values) << "copied once, not at every start";
}

TEST_F(SettingsLocationTest, ConfigFileAlreadyThereIsNotReplaced)
{
    writeBytes(beside(), "[Preferences]\nAutoStart=0\n");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(config()).path()));
    writeBytes(config(), "[Preferences]\nAutoStart=1\n");
    EXPECT_EQ(pathWhenBesideCannotBeSaved(), config());
    EXPECT_EQ(readBytes(config()), "[Preferences]\nAutoStart=1\n");
}

// Defaults in a new file would stand for choices that could not be read.
TEST_F(SettingsLocationTest, FileBesideThatCannotBeReadIsKeptAsTheSettings)
{
    ASSERT_TRUE(QDir().mkpath(beside()));
    EXPECT_EQ(pathWhenBesideCannotBeSaved(), beside());
    EXPECT_FALSE(QFileInfo::exists(config()));
}
