// SPDX-License-Identifier: GPL-2.0-or-later
#include "lookup/store/DictionaryFileFormat.h"

#include "lookup/store/FileIdentity.h"

#include <unistd.h>

namespace kvel {

namespace {

// The first bytes of a regular file; nothing for anything else. Opened
// without blocking: a FIFO in the dictionary's place must not stop the program.
QByteArray headOf(const QString& path, int size)
{
    const int descriptor = openForReadingWithoutBlocking(path);
    if (descriptor < 0)
        return {};
    QByteArray head;
    if (FileIdentity::ofDescriptor(descriptor).exists) {
        head.resize(size);
        const ssize_t got = ::pread(descriptor, head.data(), std::size_t(size), 0);
        head.resize(got > 0 ? qsizetype(got) : 0);
    }
    ::close(descriptor);
    return head;
}

} // namespace

DictionaryFileFormat detectDictionaryFormat(const QString& path)
{
    const QByteArray head = headOf(path, 20);
    if (head.startsWith(QByteArrayView("SQLite format 3\0", 16)))
        return DictionaryFileFormat::Sqlite;
    // The first page of an Access file names the engine after a 4-byte page header.
    const QByteArrayView engine = QByteArrayView(head).sliced(qMin(qsizetype(4), head.size()));
    if (engine.startsWith("Standard Jet DB") || engine.startsWith("Standard ACE DB"))
        return DictionaryFileFormat::Jet;
    return DictionaryFileFormat::Unknown;
}

} // namespace kvel
