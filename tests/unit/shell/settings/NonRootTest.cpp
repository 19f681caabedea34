// SPDX-License-Identifier: GPL-2.0-or-later
// Cases that need a user whom file permissions bind; run-without-root.sh runs
// this program as "nobody" when CTest runs as root.
#include "SettingsFiles.h"
#include "shell/settings/HandOver.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/KvelSettings.h"
#include "shell/settings/SettingsLocation.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

constexpr QFile::Permissions kReadOnly = QFile::ReadOwner | QFile::ExeOwner;
constexpr QFile::Permissions kWritable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

class NonRootTest : public testing::Test
{
public:
    void SetUp() override
    {
        if (geteuid() == 0)
            GTEST_SKIP() << "root may write anywhere: run this as another user";
        ASSERT_TRUE(QDir().mkpath(program()));
    }

    // Gives the folders back their rights so that they can be removed.
    void TearDown() override
    {
        QFile::setPermissions(program(), kWritable);
        QFile::setPermissions(ini(), QFile::ReadOwner | QFile::WriteOwner);
    }

    QString program() const { return dir.filePath(u"program"_s); }
    QString ini() const { return dir.filePath(u"program/kvel.ini"_s); }
    QString configIni() const { return dir.filePath(u"config/kvel/kvel.ini"_s); }

    static void change(IniDocument& document) { document.setValue(u"Window", u"Left", u"9"_s); }

    QTemporaryDir dir;
    const EnvironmentGuard config{"XDG_CONFIG_HOME", dir.filePath(u"config"_s)};
};

} // namespace

TEST_F(NonRootTest, ReadOnlyProgramFolderSendsTheSettingsToTheConfigFolder)
{
    ASSERT_TRUE(QFile::setPermissions(program(), kReadOnly));
    EXPECT_EQ(settingsFilePath(program()), configIni());
}

// No lock or temporary file can go beside a file in a read-only folder, so
// it could never be saved there: its values move to the config folder, once,
// and the old file is left as it was.
TEST_F(NonRootTest, FileInAReadOnlyFolderIsCopiedIntoTheConfigFolder)
{
    const QByteArray values = "[Preferences]\nAutoStart=0\n[Window]\nLeft=1\n";
    for (const QFile::Permissions file : {kWritable, QFile::Permissions(QFile::ReadOwner)}) {
        QFile::remove(configIni());
        QFile::setPermissions(program(), kWritable);
        QFile::remove(ini());
        writeBytes(ini(), values);
        ASSERT_TRUE(QFile::setPermissions(ini(), file));
        ASSERT_TRUE(QFile::setPermissions(program(), kReadOnly));

        EXPECT_FALSE(canSaveAt(ini()));
        EXPECT_EQ(updateIniFile(ini(), change), IniUpdate::Failed);
        ASSERT_EQ(settingsFilePath(program()), configIni());
        EXPECT_EQ(LoadSettings(configIni(), QRect(0, 0, 1024, 768)).value().FAutoStart, 0);
        KvelSettings settings;
        settings.FAutoStart = 0;
        EXPECT_EQ(SaveSettings(configIni(), settings, {7, 8}), IniUpdate::Written);
        EXPECT_EQ(readBytes(ini()), values);
        EXPECT_EQ(filesIn(program()), QStringList{u"kvel.ini"_s});
    }
}

TEST_F(NonRootTest, ReadOnlyFileInAWritableFolderIsCopiedIntoTheConfigFolder)
{
    writeBytes(ini(), "[Window]\nLeft=1\n");
    ASSERT_TRUE(QFile::setPermissions(ini(), QFile::ReadOwner));
    EXPECT_EQ(settingsFilePath(program()), configIni());
    EXPECT_EQ(readBytes(configIni()), "[Window]\nLeft=1\n");
}

// Defaults in a new config file would stand for choices that could not be read.
TEST_F(NonRootTest, UnreadableFileInAReadOnlyFolderStaysTheSettingsFile)
{
    writeBytes(ini(), "[Preferences]\nAutoStart=0\n");
    ASSERT_TRUE(QFile::setPermissions(ini(), QFile::Permissions()));
    ASSERT_TRUE(QFile::setPermissions(program(), kReadOnly));
    EXPECT_EQ(settingsFilePath(program()), ini());
    EXPECT_FALSE(LoadSettings(ini(), QRect(0, 0, 1024, 768)).has_value());
    EXPECT_FALSE(QFileInfo::exists(configIni()));
}

TEST_F(NonRootTest, SaveIntoAReadOnlyFolderFailsWithoutLeavingAnything)
{
    ASSERT_TRUE(QFile::setPermissions(program(), kReadOnly));
    KvelSettings settings;
    EXPECT_EQ(SaveSettings(ini(), settings, {}), IniUpdate::Failed);
    EXPECT_FALSE(writeHandOver(ini(), {u"house"_s}));
    EXPECT_EQ(filesIn(program()), QStringList());
}

TEST_F(NonRootTest, ReadOnlyFileIsNotReplaced)
{
    writeBytes(ini(), "[Window]\nLeft=1\n");
    ASSERT_TRUE(QFile::setPermissions(ini(), QFile::ReadOwner));
    EXPECT_EQ(updateIniFile(ini(), change), IniUpdate::Failed);
    EXPECT_EQ(readBytes(ini()), "[Window]\nLeft=1\n");
    EXPECT_EQ(filesIn(program()), QStringList{u"kvel.ini"_s});
}

TEST_F(NonRootTest, UnreadableFileGivesNoSettingsAndIsKept)
{
    writeBytes(ini(), "[Window]\nLeft=5\n[Preferences]\nTray=0\n[IE]\nParamCount=2\n");
    ASSERT_TRUE(QFile::setPermissions(ini(), QFile::WriteOwner));

    EXPECT_FALSE(readIniFile(ini()).has_value());
    EXPECT_TRUE(IsFirstRun(ini()));
    EXPECT_FALSE(LoadSettings(ini(), QRect(0, 0, 1024, 768)).has_value());
    EXPECT_EQ(readHandOver(ini()).paramCount, 0);
    EXPECT_EQ(updateIniFile(ini(), change), IniUpdate::Failed)
        << "an unread file must not be overwritten";

    ASSERT_TRUE(QFile::setPermissions(ini(), QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_EQ(readBytes(ini()), "[Window]\nLeft=5\n[Preferences]\nTray=0\n[IE]\nParamCount=2\n");
}
