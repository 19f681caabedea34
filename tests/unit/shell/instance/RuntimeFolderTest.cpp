// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/instance/RuntimeFolder.h"

#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kvel;
using namespace Qt::StringLiterals;

namespace {

struct FolderCase
{
    const char* name;
    // Prepares what is at the path (nothing: the folder is missing).
    std::function<void(const QString& path)> prepare;
    bool usable;
    uid_t owner = ::getuid();
};

void makeFolder(const QString& path, mode_t mode)
{
    ASSERT_EQ(::mkdir(QFile::encodeName(path).constData(), 0700), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

const FolderCase kFolderCases[] = {
    {"MissingIsCreated", [](const QString&) {}, true},
    {"OwnPrivateFolder", [](const QString& path) { makeFolder(path, 0700); }, true},
    {"OthersMayRead", [](const QString& path) { makeFolder(path, 0755); }, false},
    {"OthersMayWrite", [](const QString& path) { makeFolder(path, 01777); }, false},
    {"OwnerCannotWrite", [](const QString& path) { makeFolder(path, 0500); }, false},
    {"AnotherUsersFolder", [](const QString& path) { makeFolder(path, 0700); }, false,
     ::getuid() + 1},
    {"SymbolicLinkToAPrivateFolder",
     [](const QString& path) {
         makeFolder(path + u"-target"_s, 0700);
         ASSERT_TRUE(QFile::link(path + u"-target"_s, path));
     },
     false},
    {"DanglingSymbolicLink",
     [](const QString& path) { ASSERT_TRUE(QFile::link(path + u"-nowhere"_s, path)); }, false},
    {"File",
     [](const QString& path) {
         QFile file(path);
         ASSERT_TRUE(file.open(QIODevice::WriteOnly));
     },
     false},
};

class PrivateFolderTest : public testing::TestWithParam<FolderCase>
{
protected:
    QTemporaryDir dir;
};

INSTANTIATE_TEST_SUITE_P(Cases, PrivateFolderTest, testing::ValuesIn(kFolderCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

TEST_P(PrivateFolderTest, OnlyTheUsersOwnFolderWithMode0700IsUsed)
{
    const FolderCase& c = GetParam();
    const QString path = dir.filePath(u"kvel-test"_s);
    c.prepare(path);
    struct stat before
    {
    };
    const bool existed = ::lstat(QFile::encodeName(path).constData(), &before) == 0;

    const std::optional<QString> problem = privateFolderProblem(path, c.owner);
    EXPECT_EQ(!problem.has_value(), c.usable) << problem.value_or(u"no problem"_s).toStdString();

    struct stat after
    {
    };
    ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &after), 0);
    if (c.usable) {
        EXPECT_TRUE(S_ISDIR(after.st_mode));
        EXPECT_EQ(after.st_mode & 07777, 0700u);
    } else {
        // A refused folder is left exactly as it was.
        EXPECT_TRUE(existed);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_ino, before.st_ino);
    }
}

TEST(PrivateFolder, IsCreatedWithMode0700WhateverTheUmask)
{
    QTemporaryDir dir;
    const mode_t old = ::umask(0777);
    const std::optional<QString> problem =
        privateFolderProblem(dir.filePath(u"kvel-test"_s), ::getuid());
    ::umask(old);
    EXPECT_FALSE(problem.has_value()) << problem.value_or(QString()).toStdString();
}

TEST(PrivateFolder, AFolderThatCannotBeMadeIsAProblem)
{
    QTemporaryDir dir;
    EXPECT_TRUE(privateFolderProblem(dir.filePath(u"missing/kvel-test"_s), ::getuid()));
}

TEST(RuntimeFolder, TheSessionsRuntimeFolderComesFirst)
{
    QTemporaryDir dir;
    const bool wasSet = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    const QByteArray before = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.path()));
    const RuntimeFolder folder = currentRuntimeFolder();
    if (wasSet)
        qputenv("XDG_RUNTIME_DIR", before);
    else
        qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(folder.path, dir.path());
    EXPECT_TRUE(folder.problem.isEmpty());
}
