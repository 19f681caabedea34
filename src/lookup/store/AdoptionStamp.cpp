// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/AdoptionStamp.h"

#include "lookup/index/file/IndexFileLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryFile>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvel {

namespace {

// Two paths of at most PATH_MAX bytes, percent-encoded, and two short lines.
constexpr qint64 kMaxStampBytes = 32 * 1024;

QByteArray identityLine(const FileIdentity& file)
{
    return QByteArray::number(file.device) + ' ' + QByteArray::number(file.inode) + ' ' +
           QByteArray::number(file.size) + ' ' + QByteArray::number(file.modifiedNs) + ' ' +
           QByteArray::number(file.changedNs);
}

std::optional<FileIdentity> identityFromLine(const QByteArray& line)
{
    const QList<QByteArray> numbers = line.split(' ');
    if (numbers.size() != 5)
        return std::nullopt;
    bool ok[5] = {};
    const FileIdentity file{true,
                            numbers[0].toULongLong(&ok[0]),
                            numbers[1].toULongLong(&ok[1]),
                            numbers[2].toLongLong(&ok[2]),
                            numbers[3].toLongLong(&ok[3]),
                            numbers[4].toLongLong(&ok[4])};
    if (!std::all_of(std::begin(ok), std::end(ok), [](bool each) { return each; }))
        return std::nullopt;
    // Written from the numbers read back, so that nothing else passes.
    return identityLine(file) == line ? std::optional(file) : std::nullopt;
}

// Percent-encoded, so that a path holding a line break stays on its line.
QByteArray pathLine(const QString& path)
{
    return QFile::encodeName(path).toPercentEncoding("/");
}

QString pathFromLine(const QByteArray& line)
{
    const QString path = QFile::decodeName(QByteArray::fromPercentEncoding(line));
    return pathLine(path) == line && QDir::isAbsolutePath(path) ? path : QString();
}

// The stamp's bytes when it is a regular file of this user that only this
// user can write, not followed through a symbolic link, and short.
std::optional<QByteArray> stampBytes(const QString& path)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(),
                                  O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW);
    if (descriptor < 0)
        return std::nullopt;
    struct stat info = {};
    QFile file;
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid() ||
        (info.st_mode & (S_IWGRP | S_IWOTH)) != 0 || info.st_size > kMaxStampBytes ||
        !file.open(descriptor, QIODevice::ReadOnly, QFile::AutoCloseHandle)) {
        ::close(descriptor);
        return std::nullopt;
    }
    // Read to the bound, not to the size seen: the file may grow meanwhile.
    const QByteArray bytes = file.read(kMaxStampBytes + 1);
    return bytes.size() <= kMaxStampBytes ? std::optional(bytes) : std::nullopt;
}

} // namespace

QString AdoptionStamp::pathFor(const QString& cacheFolder, const QString& dictionary)
{
    const QString cached = cachedIndexFile(cacheFolder, dictionary);
    return cached.isEmpty() ? QString() : cached + QLatin1StringView(".ok");
}

std::optional<AdoptionStamp> AdoptionStamp::read(const QString& path)
{
    const std::optional<QByteArray> bytes = stampBytes(path);
    if (!bytes || !bytes->endsWith('\n'))
        return std::nullopt;
    const QList<QByteArray> lines = bytes->chopped(1).split('\n');
    if (lines.size() != 4)
        return std::nullopt;
    AdoptionStamp stamp;
    stamp.indexFile = pathFromLine(lines[0]);
    stamp.dictionary = pathFromLine(lines[2]);
    const std::optional<FileIdentity> index = identityFromLine(lines[1]);
    const std::optional<FileIdentity> dictionaryFile = identityFromLine(lines[3]);
    if (stamp.indexFile.isEmpty() || stamp.dictionary.isEmpty() || !index || !dictionaryFile)
        return std::nullopt;
    stamp.index = *index;
    stamp.dictionaryFile = *dictionaryFile;
    return stamp;
}

bool AdoptionStamp::write(const QString& path) const
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    // Renamed over whatever is at the path, a symbolic link included, never
    // written through it.
    QTemporaryFile temporary(path + QLatin1StringView(".XXXXXX"));
    if (!temporary.open())
        return false;
    const QByteArray text = pathLine(indexFile) + '\n' + identityLine(index) + '\n' +
                            pathLine(dictionary) + '\n' + identityLine(dictionaryFile) + '\n';
    if (temporary.write(text) != text.size() || !temporary.flush())
        return false;
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(),
                    QFile::encodeName(path).constData()) != 0)
        return false;
    temporary.setAutoRemove(false);
    return true;
}

bool AdoptionStamp::holds() const
{
    return FileIdentity::of(indexFile) == index && FileIdentity::of(dictionary) == dictionaryFile;
}

} // namespace kvel
