// SPDX-License-Identifier: GPL-2.0-or-later
#include "JetTestFiles.h"

#include <QFile>
#include <stdexcept>

namespace kvel::test {

QString jetData(const QString& name)
{
    return QStringLiteral(KVEL_JET_DATA "/") + name;
}

QList<Row> readTsvRows(const QString& path)
{
    QList<Row> rows;
    const QList<QByteArray> lines = readBytes(path).split('\n');
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 3)
            continue;
        const QVariant meaning =
            fields[1] == "\\N" ? QVariant() : QVariant(QString::fromUtf8(fields[1]));
        rows.append({QString::fromUtf8(fields[0]), meaning, fields[2].toInt()});
    }
    return rows;
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

JetConverter realConverter(const QString& cacheFolder, JetConverter::Limits limits)
{
    return JetConverter(QStringLiteral(KVEL_DICT_PROGRAM), cacheFolder, limits);
}

QString writeScript(const QString& path, const QByteArray& body)
{
    writeBytes(path, "#!/bin/sh\n" + body + '\n');
    QFile::setPermissions(path,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

} // namespace kvel::test
