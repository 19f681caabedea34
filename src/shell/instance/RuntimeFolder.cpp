// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/instance/RuntimeFolder.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kvel {

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

std::optional<QString> privateFolderProblem(const QString& path, uid_t owner)
{
    const QByteArray native = QFile::encodeName(path);
    // mkdir's mode passes through the umask; the folder is new and ours, so
    // setting the mode afterwards cannot touch anybody else's file.
    if (::mkdir(native.constData(), 0700) == 0)
        ::chmod(native.constData(), 0700);
    else if (errno != EEXIST)
        return u"%1 cannot be created: %2"_s.arg(path, systemError(errno));

    struct stat info
    {
    };
    if (::lstat(native.constData(), &info) != 0)
        return u"%1 cannot be examined: %2"_s.arg(path, systemError(errno));
    if (S_ISLNK(info.st_mode))
        return u"%1 is a symbolic link"_s.arg(path);
    if (!S_ISDIR(info.st_mode))
        return u"%1 is not a folder"_s.arg(path);
    if (info.st_uid != owner)
        return u"%1 belongs to another user"_s.arg(path);
    if ((info.st_mode & 07777) != 0700)
        return u"%1 has mode %2, not 0700"_s.arg(path).arg(uint(info.st_mode & 07777), 4, 8,
                                                           QChar(u'0'));
    return std::nullopt;
}

RuntimeFolder currentRuntimeFolder()
{
    const QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(dir) && QFileInfo(dir).isDir())
        return {dir, {}};
    const uid_t uid = ::getuid();
    const QString fallback = u"/tmp/kvel-%1"_s.arg(uid);
    if (const std::optional<QString> problem = privateFolderProblem(fallback, uid))
        return {{}, *problem};
    return {fallback, {}};
}

} // namespace kvel
