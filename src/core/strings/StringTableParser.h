// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace kvel {

struct ParsedStringTable
{
    QHash<int, QString> texts;
    QStringList problems; // one line for each row refused
};

// Reads the string table's text form: "id<TAB>name<TAB>text" per line, '#'
// comments, escapes \r \n \t \\ inside texts. A pair's English row leaves the
// name empty and follows its Serbian row at the next id. A row that does not
// parse, or whose name is malformed or taken, is refused and reported, so a
// damaged entry only loses itself.
ParsedStringTable parseStringTable(const QByteArray& utf8);

} // namespace kvel
