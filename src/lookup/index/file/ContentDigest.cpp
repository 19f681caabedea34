// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/index/file/ContentDigest.h"

#include "lookup/store/FileIdentity.h"

#include <QCryptographicHash>
#include <QFile>
#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

namespace kvel {

std::optional<indexfile::ContentDigest> digestOfFile(const QString& path)
{
    // Without blocking, so that a FIFO put in the dictionary's place cannot
    // hold the thread.
    const int descriptor = openForReadingWithoutBlocking(path);
    if (descriptor < 0)
        return std::nullopt;
    QFile file;
    if (!FileIdentity::ofDescriptor(descriptor).exists ||
        !file.open(descriptor, QIODevice::ReadOnly, QFile::AutoCloseHandle)) {
        ::close(descriptor);
        return std::nullopt;
    }
    // Read once from start to end: let the kernel read ahead.
    posix_fadvise(descriptor, 0, 0, POSIX_FADV_SEQUENTIAL);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return std::nullopt;
    const QByteArray result = hash.result();
    indexfile::ContentDigest digest = {};
    std::copy_n(reinterpret_cast<const std::uint8_t*>(result.constData()), digest.size(),
                digest.begin());
    return digest;
}

} // namespace kvel
