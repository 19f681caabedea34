// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/userfiles/UserFiles.h"

#include "unit/shell/browser/BrowserFiles.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

TEST(UserFiles, WritesCreatingTheFolders)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"a/b/c.txt"_s);
    EXPECT_TRUE(writeFileIfChanged(path, "one\n"));
    EXPECT_EQ(readBytes(path), "one\n");
}

TEST(UserFiles, SameContentsKeepTheFileAndNewOnesReplaceIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"c.txt"_s);
    ASSERT_TRUE(writeFileIfChanged(path, "one\n"));
    const ino_t first = inodeOf(path);
    EXPECT_TRUE(writeFileIfChanged(path, "one\n"));
    EXPECT_EQ(inodeOf(path), first);
    EXPECT_TRUE(writeFileIfChanged(path, "two\n"));
    EXPECT_EQ(readBytes(path), "two\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"c.txt"_s});
}

TEST(UserFiles, EmptyContentsAreAFileToo)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"empty"_s);
    EXPECT_TRUE(writeFileIfChanged(path, {}));
    EXPECT_TRUE(QFileInfo(path).isFile());
}

TEST(UserFiles, RemoveIsDoneWhenTheFileIsGone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"c.txt"_s);
    EXPECT_TRUE(removeFileIfPresent(path));
    ASSERT_TRUE(writeFileIfChanged(path, "x"));
    EXPECT_TRUE(removeFileIfPresent(path));
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(UserFiles, DanglingLinkIsRemovedToo)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"link"_s);
    ASSERT_TRUE(QFile::link(dir.filePath(u"nowhere"_s), path));
    EXPECT_TRUE(removeFileIfPresent(path));
    EXPECT_FALSE(QFileInfo(path).isSymLink());
}

TEST(UserFiles, AFolderIsNotRemoved)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"folder"_s);
    ASSERT_TRUE(QDir().mkpath(path));
    EXPECT_FALSE(removeFileIfPresent(path));
    EXPECT_FALSE(writeFileIfChanged(path, "x"));
    EXPECT_TRUE(QFileInfo(path).isDir());
}
