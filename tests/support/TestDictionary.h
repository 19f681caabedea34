// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace kvel::test {

struct Row
{
    QVariant word; // a null QVariant stores NULL
    QVariant meaning;
    int selected = -1;
};

// Writes a small dictionary file the way kvel-dict lays one out; `version`
// null leaves TblVer without a row.
void writeDictionary(const QString& path, const QList<Row>& rows,
                     const QVariant& version = QStringLiteral("2.5"));

// Runs SQL on a file, for dictionaries damaged on purpose.
void executeSql(const QString& path, const QString& sql);

} // namespace kvel::test
