// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

namespace kvel::dictbuild {

// One line of a dictd .index file: where the headword's article lies in the .dict data.
struct DictdIndexEntry
{
    QString headword;
    qint64 offset = 0;
    qint64 length = 0;
    int line = 0; // 1-based, for messages

    bool operator==(const DictdIndexEntry&) const = default;
};

// A dictd number: big-endian base 64 over A-Z a-z 0-9 + / ("BEP" is 4367).
// Nothing for an empty text, another character or more than 10 digits (60 bits).
std::optional<qint64> decodeDictdNumber(QByteArrayView digits);

// Lines "headword TAB offset TAB length", optionally followed by TAB and the
// headword as written (dictfmt --index-keep-orig), which then names the entry.
// Blank lines are skipped; anything else malformed throws BuildError naming
// fileName and the line.
QList<DictdIndexEntry> parseDictdIndex(QByteArrayView data, const QString& fileName);

} // namespace kvel::dictbuild
