// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QHash>
#include <QString>

namespace kvel {

// Reads the string table's text form: "id<TAB>text" per line, '#' comments,
// escapes \r \n \t \\ inside texts. Lines that do not parse are skipped, so a
// damaged entry only loses itself.
QHash<int, QString> parseStringTable(const QByteArray& utf8);

} // namespace kvel
