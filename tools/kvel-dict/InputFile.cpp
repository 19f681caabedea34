// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/InputFile.h"

#include "kvel-dict/BuildError.h"
#include "lookup/store/FileIdentity.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace kvel::dictbuild {

namespace {

[[noreturn]] void throwSystemError(const QString& path, const char* action)
{
    throw BuildError(
        QStringLiteral("%1: cannot %2: %3")
            .arg(path, QLatin1StringView(action), QString::fromLocal8Bit(std::strerror(errno))));
}

} // namespace

void throwTooLarge(const QString& path, const QString& what, qint64 limit)
{
    constexpr qint64 kMiB = qint64(1) << 20;
    const QString size = limit % kMiB == 0 ? QStringLiteral("%1 MiB").arg(limit / kMiB)
                                           : QStringLiteral("%1 bytes").arg(limit);
    throw BuildError(QStringLiteral("%1: %2 more than %3, far more than a dictionary holds")
                         .arg(path, what, size));
}

RegularFile::RegularFile(const QString& path)
{
    m_descriptor = openForReadingWithoutBlocking(path);
    if (m_descriptor < 0) {
        throwSystemError(path, "read");
    }
    struct stat status = {};
    if (::fstat(m_descriptor, &status) != 0) {
        const int error = errno;
        ::close(m_descriptor);
        errno = error;
        throwSystemError(path, "read");
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(m_descriptor);
        throw BuildError(S_ISDIR(status.st_mode)
                             ? QStringLiteral("%1: is a folder, not a file").arg(path)
                             : QStringLiteral("%1: is not a regular file (a device, FIFO or "
                                              "socket), so it cannot be a dictionary")
                                   .arg(path));
    }
    m_size = status.st_size;
}

RegularFile::~RegularFile()
{
    ::close(m_descriptor);
}

QByteArray readInputFile(const QString& path)
{
    const RegularFile file(path);
    if (file.size() > kMaxSourceBytes) {
        throwTooLarge(path, QStringLiteral("holds"), kMaxSourceBytes);
    }
    // The file may grow while it is read: read no more than the limit allows.
    QByteArray data(file.size() + 1, Qt::Uninitialized);
    qint64 filled = 0;
    while (true) {
        if (filled == data.size()) {
            if (data.size() > kMaxSourceBytes) {
                throwTooLarge(path, QStringLiteral("holds"), kMaxSourceBytes);
            }
            data.resize(std::min(data.size() * 2, kMaxSourceBytes + 1));
        }
        const ssize_t count = ::read(file.descriptor(), data.data() + filled, data.size() - filled);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            throwSystemError(path, "read");
        }
        if (count == 0) {
            break;
        }
        filled += count;
    }
    data.truncate(filled);
    return data;
}

QList<QByteArrayView> splitLines(QByteArrayView data)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0) {
            end = data.size();
        }
        QByteArrayView line = data.sliced(start, end - start);
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        lines.append(line);
        start = end + 1;
    }
    return lines;
}

} // namespace kvel::dictbuild
