// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace kvel {

// Tells a file replaced by a rebuild (new inode) or changed in place, so that a
// dictionary rebuilt while the program runs is read afresh.
struct FileIdentity
{
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    // Changes with any write, rename or change of owner or mode, and cannot
    // be set back as the modification time can.
    qint64 changedNs = 0;

    bool operator==(const FileIdentity&) const = default;

    // A missing path or anything but a regular file gives exists == false.
    static FileIdentity of(const QString& path);
    // Likewise the file an open descriptor reads.
    static FileIdentity ofDescriptor(int descriptor);
};

// Opens a file for reading without blocking and without becoming the
// controlling terminal, so a FIFO or a device put in a file's place cannot
// stop the program; check it with FileIdentity::ofDescriptor. -1 with errno
// set when it cannot be opened.
int openForReadingWithoutBlocking(const QString& path);

} // namespace kvel
