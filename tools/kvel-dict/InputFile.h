// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace kvel::dictbuild {

// The most text one source file may hold, inflated or not: more than twice a
// million-row dictionary (48 MB as TSV). The build takes about 18 bytes of
// memory per byte of text (lines, meanings, merged rows), so this much still
// builds in 2.5 GB.
inline constexpr qint64 kMaxSourceBytes = qint64(128) << 20;

// The refusal of a source whose text passes `limit` bytes; `what` tells how
// ("holds", "inflates to").
[[noreturn]] void throwTooLarge(const QString& path, const QString& what, qint64 limit);

// A descriptor of the regular file at `path`, opened without waiting (a FIFO
// must not block the build). Throws BuildError naming the file when it cannot
// be opened or is a folder, a device, a FIFO or a socket.
class RegularFile
{
public:
    explicit RegularFile(const QString& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    int descriptor() const { return m_descriptor; }
    qint64 size() const { return m_size; }

private:
    int m_descriptor = -1;
    qint64 m_size = 0;
};

// The whole regular file, refused past kMaxSourceBytes; throws BuildError
// naming it when it cannot be read.
QByteArray readInputFile(const QString& path);

// The lines of a text without their "\n" or "\r\n"; line n is at index n - 1.
QList<QByteArrayView> splitLines(QByteArrayView data);

} // namespace kvel::dictbuild
