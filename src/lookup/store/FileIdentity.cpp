// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/FileIdentity.h"

#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>

namespace kvel {

namespace {

FileIdentity identityOf(const struct stat& info)
{
    if (!S_ISREG(info.st_mode))
        return {};
    return {true,
            quint64(info.st_dev),
            quint64(info.st_ino),
            qint64(info.st_size),
            qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            qint64(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec};
}

} // namespace

FileIdentity FileIdentity::of(const QString& path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return identityOf(info);
}

int openForReadingWithoutBlocking(const QString& path)
{
    return ::open(QFile::encodeName(path).constData(),
                  O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
}

FileIdentity FileIdentity::ofDescriptor(int descriptor)
{
    struct stat info
    {
    };
    if (::fstat(descriptor, &info) != 0)
        return {};
    return identityOf(info);
}

} // namespace kvel
