// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/autostart/AutoStart.h"

#include "AutoStartFiles.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

namespace {

const QString kProgram = u"/opt/kvel dictionary/kvel"_s;

ino_t inodeOf(const QString& path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

} // namespace

TEST(AutoStart, EntryLiesInTheConfigFoldersAutostart)
{
    TemporaryHome home;
    EXPECT_EQ(autoStartEntryPath(), home.entry());
}

TEST(AutoStart, OnWritesTheEntryCreatingTheFolders)
{
    TemporaryHome home;
    ASSERT_TRUE(SetAutoStart(true, kProgram));
    EXPECT_EQ(readBytes(home.entry()), "[Desktop Entry]\n"
                                       "Type=Application\n"
                                       "Name=Kvel dictionary\n"
                                       "Exec=\"/opt/kvel dictionary/kvel\"\n"
                                       "Terminal=false\n");
    EXPECT_EQ(QDir(home.autostart()).entryList(QDir::Files | QDir::Hidden),
              QStringList{u"kvel.desktop"_s})
        << "no temporary file is left behind";
}

TEST(AutoStart, OnAgainLeavesAnUnchangedEntryAlone)
{
    TemporaryHome home;
    ASSERT_TRUE(SetAutoStart(true, kProgram));
    const ino_t before = inodeOf(home.entry());
    EXPECT_TRUE(SetAutoStart(true, kProgram));
    EXPECT_EQ(inodeOf(home.entry()), before) << "a rewrite would have replaced the file";
}

TEST(AutoStart, AMovedProgramRewritesTheEntry)
{
    TemporaryHome home;
    ASSERT_TRUE(SetAutoStart(true, kProgram));
    ASSERT_TRUE(SetAutoStart(true, u"/usr/bin/kvel"_s));
    EXPECT_TRUE(readBytes(home.entry()).contains("Exec=\"/usr/bin/kvel\"\n"));
}

TEST(AutoStart, OffRemovesTheEntry)
{
    TemporaryHome home;
    ASSERT_TRUE(SetAutoStart(true, kProgram));
    EXPECT_TRUE(SetAutoStart(false, kProgram));
    EXPECT_FALSE(QFileInfo::exists(home.entry()));
}

// The entry is already as asked: the menu's check mark may follow the user.
TEST(AutoStart, OffWithoutAnEntryIsDone)
{
    TemporaryHome home;
    EXPECT_TRUE(SetAutoStart(false, kProgram));
    EXPECT_FALSE(QFileInfo::exists(home.autostart()));
}

TEST(AutoStart, AFolderInTheEntrysPlaceFailsOn)
{
    TemporaryHome home;
    ASSERT_TRUE(QDir().mkpath(home.entry()));
    EXPECT_FALSE(SetAutoStart(true, kProgram));
    EXPECT_TRUE(QFileInfo(home.entry()).isDir());
}
