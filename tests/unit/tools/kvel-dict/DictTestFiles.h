// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

namespace kvel::test {

void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

// Compresses into one gzip member, as dictzip files are.
QByteArray gzip(const QByteArray& data);

// `count` zero bytes in one gzip member: about 1 KiB per MiB, made
// without ever holding the zeros.
QByteArray gzipZeros(qint64 count);

// A dictd number as an .index file spells it ("BEP" for 4367).
QByteArray dictdNumber(qint64 value);

// Writes base.index and base.dict (or base.dict.dz when `zipped`) holding the
// (headword, article) pairs in order, each article followed by the next.
void writeDictd(const QString& base, const QList<std::pair<QString, QString>>& articles,
                bool zipped = false);

} // namespace kvel::test
